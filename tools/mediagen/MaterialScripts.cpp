#include "MaterialScripts.h"

#include "core/FileWriter.h" // Required for: Velk::writeFileAtomically

namespace {

// The sky: unlit, drawn without depth writes so the scene always covers it.
// The ground: lit, its grass texture repeated.
const char* const kExamplesMaterial = R"(// Materials of the examples. Format: see media/README.md.

material Examples/BlueSkyBox
{
    lighting off
    depth_write off
    cubic_texture bluesky_px.png bluesky_nx.png bluesky_py.png bluesky_ny.png bluesky_pz.png bluesky_nz.png
}

material Examples/GrassGround
{
    texture ground_grass.jpg
}
)";

} // namespace

void writeMaterialScripts(const std::string& folder) {
    const std::string path = folder + "/Examples.material";
    Velk::writeFileAtomically(path, kExamplesMaterial);
}
