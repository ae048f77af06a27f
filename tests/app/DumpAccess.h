#pragma once

#include <nlohmann/json.hpp> // Required for: nlohmann::json
#include <string>            // Required for: std::string
#include <vector>            // Required for: std::vector

// Readers for the parts of the engine's state dump that the end-to-end
// tests look at. Each fails the running test when the part is missing.
struct Vec3 {
    double x = 0, y = 0, z = 0;
};
struct Colour {
    double r = 0, g = 0, b = 0, a = 0;
};

std::string caption(const nlohmann::json& state, const std::string& element);
bool overlayVisible(const nlohmann::json& state, const std::string& overlay);
Vec3 cameraPosition(const nlohmann::json& state);
// The camera's viewing direction (its local -Z turned by its orientation).
Vec3 cameraDirection(const nlohmann::json& state);
// "points", "wireframe" or "solid".
std::string cameraDetail(const nlohmann::json& state);
std::vector<std::string> subEntityMaterials(const nlohmann::json& state, const std::string& entity);
std::string entityMesh(const nlohmann::json& state, const std::string& entity);
std::string renderDetail(const nlohmann::json& state, const std::string& entity);
Colour passDiffuse(const nlohmann::json& state, const std::string& material);
Colour passAmbient(const nlohmann::json& state, const std::string& material);
