#include "DumpAccess.h"

#include <gtest/gtest.h>

namespace {

// The element of an array section whose "name" is `name`, or null.
const nlohmann::json* named(const nlohmann::json& section, const std::string& name) {
    if (!section.is_array()) return nullptr;
    for (const auto& item : section)
        if (item.value("name", std::string()) == name) return &item;
    return nullptr;
}

const nlohmann::json& entity(const nlohmann::json& state, const std::string& name) {
    static const nlohmann::json none;
    const nlohmann::json* e = state.contains("entities") ? named(state["entities"], name) : nullptr;
    if (!e) ADD_FAILURE() << "no entity " << name << " in the state dump";
    return e ? *e : none;
}

const nlohmann::json& material(const nlohmann::json& state, const std::string& name) {
    static const nlohmann::json none;
    const nlohmann::json* m = state.contains("materials") ? named(state["materials"], name) : nullptr;
    if (!m) ADD_FAILURE() << "no material " << name << " in the state dump";
    return m ? *m : none;
}

Colour colour(const nlohmann::json& array) {
    Colour c;
    if (!array.is_array() || array.size() < 3) {
        ADD_FAILURE() << "not a colour: " << array.dump();
        return c;
    }
    c.r = array[0].get<double>();
    c.g = array[1].get<double>();
    c.b = array[2].get<double>();
    c.a = array.size() > 3 ? array[3].get<double>() : 1.0;
    return c;
}

} // namespace

std::string caption(const nlohmann::json& state, const std::string& element) {
    if (state.contains("overlays"))
        for (const auto& [name, overlay] : state["overlays"].items())
            if (overlay.contains("elements") && overlay["elements"].contains(element))
                return overlay["elements"][element].value("caption", std::string());
    ADD_FAILURE() << "no overlay element " << element << " in the state dump";
    return {};
}

bool overlayVisible(const nlohmann::json& state, const std::string& overlay) {
    if (!state.contains("overlays") || !state["overlays"].contains(overlay)) {
        ADD_FAILURE() << "no overlay " << overlay << " in the state dump";
        return false;
    }
    return state["overlays"][overlay].value("visible", false);
}

Vec3 cameraPosition(const nlohmann::json& state) {
    if (!state.contains("camera") || !state["camera"].contains("position")) {
        ADD_FAILURE() << "no camera position in the state dump";
        return {};
    }
    const auto& p = state["camera"]["position"];
    return {p[0].get<double>(), p[1].get<double>(), p[2].get<double>()};
}

Vec3 cameraDirection(const nlohmann::json& state) {
    if (!state.contains("camera") || !state["camera"].contains("orientation")) {
        ADD_FAILURE() << "no camera orientation in the state dump";
        return {};
    }
    const auto& q = state["camera"]["orientation"];
    const double w = q[0].get<double>(), x = q[1].get<double>(), y = q[2].get<double>(), z = q[3].get<double>();
    // The third column of the rotation matrix, negated: where local -Z points.
    return {-(2 * (x * z + w * y)), -(2 * (y * z - w * x)), -(1 - 2 * (x * x + y * y))};
}

std::string cameraDetail(const nlohmann::json& state) {
    if (!state.contains("camera")) {
        ADD_FAILURE() << "no camera in the state dump";
        return {};
    }
    return state["camera"].value("detailLevelName", std::string());
}

std::vector<std::string> subEntityMaterials(const nlohmann::json& state, const std::string& name) {
    const nlohmann::json& e = entity(state, name);
    return e.is_null() ? std::vector<std::string>{} : e["subEntityMaterials"].get<std::vector<std::string>>();
}

std::string entityMesh(const nlohmann::json& state, const std::string& name) {
    const nlohmann::json& e = entity(state, name);
    return e.is_null() ? std::string() : e.value("mesh", std::string());
}

std::string renderDetail(const nlohmann::json& state, const std::string& name) {
    const nlohmann::json& e = entity(state, name);
    return e.is_null() ? std::string() : e.value("renderDetailName", std::string());
}

Colour passDiffuse(const nlohmann::json& state, const std::string& name) {
    const nlohmann::json& m = material(state, name);
    return m.is_null() ? Colour{} : colour(m["diffuse"]);
}

Colour passAmbient(const nlohmann::json& state, const std::string& name) {
    const nlohmann::json& m = material(state, name);
    return m.is_null() ? Colour{} : colour(m["ambient"]);
}
