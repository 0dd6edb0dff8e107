#pragma once

// "--scale S" at the head of a bench's command line: the content scale (the
// frame's pixels per point) for every frame the bench draws.
namespace ScaleArgument {

// Takes the pair away (the later arguments move up behind the program's name)
// and sets the scale. False, with a message on stderr, when S is not a whole
// number from 1 to 4; true without a change when the line has no --scale.
bool take(int& argc, char**& argv);

// The value of a --scale found elsewhere on a line: false, with the same
// message, when it is not a whole number from 1 to 4.
bool parse(const char* program, const char* value, int* scale);

} // namespace ScaleArgument
