// OBJ text: every object is a well-formed flat mesh, three own vertices per face,
// each index and edge inside its 16-bit vertex range.
#include "FuzzSupport.h"
#include "toolkit/GeometryGroup.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzResourceDir(); // silences the log
    const std::unique_ptr<GeometryGroup> group(
        GeometryGroup::parse(std::string(reinterpret_cast<const char*>(data), size)));
    FUZZ_CHECK(group && !group->getChildren().empty());
    for (const auto& child : group->getChildren()) {
        const unsigned int vertices = child->getNumVertices();
        FUZZ_CHECK(vertices <= 65536);
        FUZZ_CHECK(child->getNumIndices() == vertices);
        FUZZ_CHECK(child->getNumEdgeIndices() == 2 * vertices);
        FUZZ_CHECK(child->getAttrib("position", vell::VEC3) != nullptr);
        for (unsigned int i = 0; i < child->getNumIndices(); ++i)
            FUZZ_CHECK(child->getIndices()[i] == i);
        for (unsigned int i = 0; i < child->getNumEdgeIndices(); ++i)
            FUZZ_CHECK(child->getEdgeIndices()[i] < vertices);
    }
    return 0;
}
