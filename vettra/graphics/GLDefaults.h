#pragma once

namespace vell {

// The pipeline state of a new context. Effects leave theirs behind for the
// next one (the order of effects is part of the picture), so a screen made on
// a context that ran another first restores it before its effects are made,
// as a context of its own would have it.
class GLDefaults {
public:
    // Capabilities off, blending, depth, stencil and face culling at their
    // initial values, all colour and depth writes on, no program, no buffer
    // bound, no attribute array enabled, texture unit 0 active and empty.
    static void restore();
};

} // namespace vell
