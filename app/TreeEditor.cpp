#include "TreeEditor.h"

#include "ParameterTable.h"
#include "LeafTexture.h"
#include "SpeciesFile.h"
#include "TreeMaterials.h"
#include "TreeTooLarge.h"
#include "core/Exception.h"  // Required for: Velk::Exception
#include "core/FileWriter.h" // Required for: Velk::writeFileAtomically

#include <imgui.h>           // Required for: ImGui
#include <nlohmann/json.hpp> // Required for: nlohmann::json

#include <algorithm>  // Required for: std::min, std::max
#include <cmath>      // Required for: std::llround
#include <cstdio>     // Required for: std::snprintf
#include <filesystem> // Required for: std::filesystem
#include <stdexcept>  // Required for: std::runtime_error
#include <vector>     // Required for: std::vector
#include <utility>    // Required for: std::move

namespace fs = std::filesystem;

namespace {

// Tabs of the global groups, in the order the panel shows them.
struct GroupTab {
    ParameterGroup group;
    const char* label;
};
constexpr GroupTab kGroupTabs[] = {
    {ParameterGroup::ShapeAndSize, "Shape and size"},
    {ParameterGroup::TrunkAndRadius, "Trunk and radius"},
    {ParameterGroup::Leaves, "Leaves"},
};

// Ranges wider than this get a field to drag instead of a slider.
constexpr double kSliderRange = 10000.0;

// Copies text into a fixed field, cut to fit and always terminated.
template <std::size_t N> void setField(std::array<char, N>& field, const std::string& text) {
    const std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.begin(), length, field.begin());
    field[length] = '\0';
}

// The name a species file gives its species: the file name without extension.
std::string stemOf(const std::string& path) { return fs::path(path).stem().string(); }

} // namespace

TreeEditor::TreeEditor(TreeDemoState& state, std::function<void()> treeChanged)
    : state_(state), treeChanged_(std::move(treeChanged)) {}

TreeEditor::~TreeEditor() = default;

// The start's parameters came from this file: they are what Reset returns to.
void TreeEditor::watch(const std::string& path) {
    watcher_ = FileWatcher(path);
    if (state_.speciesFile == path && state_.parameters) fileParameters_ = state_.parameters->clone();
}

// Checked every frame, so a change is seen on the frame after it was written.
void TreeEditor::reloadIfChanged() {
    if (watcher_.changed() && loadFile(watcher_.getPath())) ++reloads_;
}

void TreeEditor::presetLoaded() { fileParameters_.reset(); }

void TreeEditor::regrow() {
    try {
        state_.treeScene->show(*state_.parameters, state_.seed);
        ++edits_;
        if (!fileError_) error_.clear();
    } catch (const TreeTooLarge& tooLarge) {
        error_ = tooLarge.what();
        fileError_ = false;
        state_.parameters = state_.tree().params->clone();
    }
    treeChanged_();
}

// The tree on show stays when the file is bad or its tree too large.
bool TreeEditor::loadFile(const std::string& path) {
    Species species;
    try {
        species = readSpeciesFile(path);
    } catch (const SpeciesError& bad) {
        error_ = bad.what();
        fileError_ = true;
        return false;
    }
    // A file that names no atlas keeps the one on show.
    std::string texture = state_.leafTexture;
    if (!species.leafTexture.empty()) {
        try {
            texture = leafTextureName(species.leafTexture, fs::path(path).parent_path().string());
        } catch (const std::runtime_error& bad) {
            error_ = path + ": leafTexture: " + bad.what();
            fileError_ = true;
            return false;
        }
    }
    try {
        state_.treeScene->show(*species.parameters, state_.seed);
    } catch (const TreeTooLarge& tooLarge) {
        error_ = path + ": " + tooLarge.what();
        fileError_ = true;
        return false;
    }
    state_.parameters = std::move(species.parameters);
    fileParameters_ = state_.parameters->clone();
    state_.speciesFile = path;
    error_.clear();
    fileError_ = false;
    if (texture != state_.leafTexture) applyLeafTexture(texture);
    treeChanged_();
    return true;
}

void TreeEditor::noteItem(const std::string& name) {
    const ImVec2 min = ImGui::GetItemRectMin();
    const ImVec2 max = ImGui::GetItemRectMax();
    items_[name] = {min.x, min.y, max.x, max.y};
}

void TreeEditor::draw() {
    items_.clear();
    if (open_) drawPanel();
    drawError();
}

// Docked to the right edge on first use; the user may move it afterwards.
void TreeEditor::drawPanel() {
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    const float width = std::min(470.0f, display.x - 20.0f);
    ImGui::SetNextWindowPos(ImVec2(std::max(10.0f, display.x - width - 10.0f), 10.0f), ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowSize(ImVec2(width, std::max(100.0f, display.y - 20.0f)), ImGuiCond_FirstUseEver);
    if (!ImGui::Begin("Tree parameters", &open_)) {
        ImGui::End();
        return;
    }
    ImGui::PushItemWidth(-150.0f);
    const std::string species =
        state_.speciesFile.empty() ? state_.tree().params->getTypeName() : fs::path(state_.speciesFile).filename().string();
    ImGui::Text("Species: %s", species.c_str());

    int seed = state_.seed;
    if (ImGui::SliderInt("seed", &seed, 0, 1000, "%d", ImGuiSliderFlags_AlwaysClamp)) {
        state_.seed = seed;
        regrow();
    }
    noteItem("seed");
    drawLeafTextureCombo();

    if (ImGui::Button("Save")) {
        setField(nameField_, state_.speciesFile.empty() ? state_.tree().params->getTypeName() : stemOf(state_.speciesFile));
        ImGui::OpenPopup("Save species");
    }
    noteItem("button:Save");
    ImGui::SameLine();
    if (ImGui::Button("Load")) {
        setField(pathField_, watcher_.isWatching() ? watcher_.getPath() : std::string("tree.json"));
        ImGui::OpenPopup("Load species");
    }
    noteItem("button:Load");
    ImGui::SameLine();
    if (ImGui::Button("Reset")) {
        if (fileParameters_) {
            state_.parameters = fileParameters_->clone();
        } else {
            state_.parameters->loadPreset(state_.parameters->getType());
            state_.parameters->setLeafAlpha(static_cast<uint8_t>(state_.leafAlpha & 0xFF));
        }
        regrow();
    }
    noteItem("button:Reset");
    ImGui::SameLine();
    if (ImGui::Button("New seed")) {
        state_.seed = static_cast<int32_t>(seeds_() % 1001u);
        regrow();
    }
    noteItem("button:New seed");
    if (!status_.empty()) ImGui::TextWrapped("%s", status_.c_str());
    drawSavePopup();
    drawLoadPopup();

    if (ImGui::BeginTabBar("groups")) {
        for (const GroupTab& tab : kGroupTabs) {
            const bool shown = ImGui::BeginTabItem(tab.label);
            noteItem(std::string("tab:") + tab.label);
            if (shown) {
                drawParameters(static_cast<int>(tab.group), 0);
                ImGui::EndTabItem();
            }
        }
        for (std::size_t level = 0; level < state_.parameters->levels; ++level) {
            const std::string label = "Level " + std::to_string(level);
            const bool shown = ImGui::BeginTabItem(label.c_str());
            noteItem("tab:" + label);
            if (shown) {
                drawParameters(static_cast<int>(ParameterGroup::Level), static_cast<int>(level));
                ImGui::EndTabItem();
            }
        }
        ImGui::EndTabBar();
    }
    ImGui::PopItemWidth();
    ImGui::End();
}

// Every parameter of the group; a change regrows once, after the loop.
void TreeEditor::drawParameters(int group, int level) {
    bool changed = false;
    for (const ParameterInfo& info : parameterTable()) {
        if (static_cast<int>(info.group) != group) continue;
        changed = drawParameter(info, static_cast<std::size_t>(level)) || changed;
    }
    if (changed) regrow();
}

bool TreeEditor::drawParameter(const ParameterInfo& info, std::size_t level) {
    TreeParameters& params = *state_.parameters;
    const bool perLevel = info.scope == ParameterScope::PerLevel;
    const double range = info.maximum - info.minimum;
    ImGuiSliderFlags flags = ImGuiSliderFlags_AlwaysClamp;
    if (info.minimum >= 0.0 && range >= 1000.0) flags |= ImGuiSliderFlags_Logarithmic;

    ImGui::PushID(static_cast<int>(level));
    bool changed = false;
    double value = info.get(params, level);
    if (info.isInteger()) {
        long long whole = std::llround(value);
        const long long low = std::llround(info.minimum);
        const long long high = std::llround(info.maximum);
        changed = range <= kSliderRange
                      ? ImGui::SliderScalar(info.name, ImGuiDataType_S64, &whole, &low, &high, "%lld", flags)
                      : ImGui::DragScalar(info.name, ImGuiDataType_S64, &whole, 1.0f, &low, &high, "%lld",
                                          ImGuiSliderFlags_AlwaysClamp);
        value = static_cast<double>(whole);
    } else {
        changed = range <= kSliderRange
                      ? ImGui::SliderScalar(info.name, ImGuiDataType_Double, &value, &info.minimum, &info.maximum,
                                            "%.3f", flags)
                      : ImGui::DragScalar(info.name, ImGuiDataType_Double, &value, 0.01f, &info.minimum,
                                          &info.maximum, "%.3f", ImGuiSliderFlags_AlwaysClamp);
    }
    noteItem(perLevel ? std::string(info.name) + "[" + std::to_string(level) + "]" : std::string(info.name));
    if (ImGui::IsItemHovered())
        ImGui::SetTooltip("%s\n%s, %g to %g%s", info.meaning, info.unit, info.minimum, info.maximum,
                          info.readByGrowth ? "" : "\nnot read by growth");
    ImGui::PopID();
    if (!changed) return false;

    value = std::clamp(value, info.minimum, info.maximum);
    const std::size_t levelsBefore = params.levels;
    info.set(params, value, level);
    // New levels start as copies of the last one, not as zeros.
    for (std::size_t added = levelsBefore; added < params.levels && levelsBefore > 0; ++added)
        for (const ParameterInfo& other : parameterTable())
            if (other.scope == ParameterScope::PerLevel) other.set(params, other.get(params, levelsBefore - 1), added);
    return true;
}

// Asks for the species name; the file is NAME.json in the working folder.
void TreeEditor::drawSavePopup() {
    if (!ImGui::BeginPopupModal("Save species", nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
    ImGui::TextUnformatted("Name of the species (saved as NAME.json):");
    if (ImGui::IsWindowAppearing()) ImGui::SetKeyboardFocusHere();
    const bool entered = ImGui::InputText("##name", nameField_.data(), nameField_.size(),
                                          ImGuiInputTextFlags_EnterReturnsTrue);
    noteItem("save:name");
    const bool pressed = ImGui::Button("Save");
    noteItem("save:ok");
    if (entered || pressed) {
        save(nameField_.data());
        ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("Cancel")) ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
}

// The media's leaf atlases, and the one on show when it is a file of the user's.
void TreeEditor::drawLeafTextureCombo() {
    std::vector<std::string> choices = mediaLeafAtlases();
    if (std::find(choices.begin(), choices.end(), state_.leafTexture) == choices.end())
        choices.push_back(state_.leafTexture);
    const bool open = ImGui::BeginCombo("leaf texture", fs::path(state_.leafTexture).filename().c_str());
    noteItem("leafTexture");
    if (!open) return;
    for (const std::string& choice : choices) {
        const bool selected = choice == state_.leafTexture;
        if (ImGui::Selectable(fs::path(choice).filename().c_str(), selected) && !selected)
            applyLeafTexture(choice);
        noteItem("leafTexture:" + fs::path(choice).filename().string());
    }
    ImGui::EndCombo();
}

// The material takes the atlas; one that does not load leaves the one on show.
bool TreeEditor::applyLeafTexture(const std::string& texture) {
    try {
        setLeafTextureOfMaterial(texture);
    } catch (const Velk::Exception& e) {
        error_ = "leaf texture " + texture + ": " + e.getDescription();
        fileError_ = false;
        return false;
    }
    state_.leafTexture = texture;
    return true;
}

// Asks for the path; a file that loads is watched from then on.
void TreeEditor::drawLoadPopup() {
    if (!ImGui::BeginPopupModal("Load species", nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
    ImGui::TextUnformatted("Species file to load:");
    if (ImGui::IsWindowAppearing()) ImGui::SetKeyboardFocusHere();
    ImGui::SetNextItemWidth(320.0f);
    const bool entered = ImGui::InputText("##path", pathField_.data(), pathField_.size(),
                                          ImGuiInputTextFlags_EnterReturnsTrue);
    noteItem("load:path");
    const bool pressed = ImGui::Button("Load");
    noteItem("load:ok");
    if (entered || pressed) {
        const std::string path = pathField_.data();
        if (loadFile(path)) {
            watch(path);
            status_ = "Loaded " + path;
        } else {
            status_ = "Could not load " + path;
        }
        ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("Cancel")) ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
}

// The tree on show, exactly as it was grown, written whole through the
// engine's file writer: a failed save leaves any previous file as it was.
void TreeEditor::save(const std::string& name) {
    if (name.empty() || name.find_first_of("/\\") != std::string::npos || name.front() == '.') {
        status_ = "Not saved: give a name without '/' that does not start with '.'";
        return;
    }
    const std::string target = name + ".json";
    try {
        Velk::writeFileAtomically(target, speciesFileText(*state_.tree().params, name,
                                                         state_.leafTexture == DEFAULT_LEAF_TEXTURE ? "" : state_.leafTexture));
    } catch (const Velk::Exception& e) {
        status_ = "Not saved: " + e.getDescription();
        return;
    }
    lastSaved_ = target;
    status_ = "Saved " + lastSaved_;
}

// Over the scene, left, as long as the problem stands.
void TreeEditor::drawError() {
    if (error_.empty()) return;
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    ImGui::SetNextWindowPos(ImVec2(10.0f, std::max(10.0f, display.y * 0.5f)), ImGuiCond_Always);
    // A fixed size: a window that sizes itself would stay hidden on its first frame.
    ImGui::SetNextWindowSize(ImVec2(std::min(520.0f, display.x - 20.0f), 110.0f), ImGuiCond_Always);
    ImGui::Begin("Tree error", nullptr, ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoSavedSettings);
    ImGui::PushStyleColor(ImGuiCol_Text, ImVec4(1.0f, 0.45f, 0.4f, 1.0f));
    ImGui::TextWrapped("%s", error_.c_str());
    ImGui::PopStyleColor();
    ImGui::TextUnformatted(fileError_ ? "The tree on show is the last good one; save the file again to retry."
                                      : "The tree on show is the last one that fitted.");
    ImGui::End();
}

nlohmann::json TreeEditor::describe() const {
    nlohmann::json items = nlohmann::json::object();
    for (const auto& [name, rect] : items_) items[name] = {rect[0], rect[1], rect[2], rect[3]};
    return {{"open", open_},
            {"error", error_},
            {"reloads", reloads_},
            {"edits", edits_},
            {"watchedFile", watcher_.getPath()},
            {"lastSaved", lastSaved_},
            {"status", status_},
            {"items", items}};
}
