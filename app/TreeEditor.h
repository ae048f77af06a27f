#pragma once

#include "FileWatcher.h"
#include "TreeDemoState.h"

#include <nlohmann/json_fwd.hpp> // Required for: nlohmann::json

#include <array>      // Required for: std::array
#include <functional> // Required for: std::function
#include <map>        // Required for: std::map
#include <memory>     // Required for: std::unique_ptr
#include <random>     // Required for: std::minstd_rand
#include <string>     // Required for: std::string

struct ParameterInfo;

// The live parameter editor and the species file behind the tree. The panel
// lists every parameter of the working set from the parameter table, grouped
// in tabs (shape and size, trunk and radius, leaves, one tab per level),
// each limited to its range, plus the seed; any change regrows the tree in
// the same frame and leaves the camera where it is. Save writes the working
// set as a species file, Load reads one, Reset returns to the preset (or the
// file) the tree came from, New seed picks another seed. A species file
// given at the start, or loaded, is watched: when it changes on disk the
// tree is regrown from it; a file that cannot be used leaves the tree as it
// is and shows why in an error window.
class TreeEditor {
public:
    // `treeChanged` runs after every regrowth (the tree panel shows its scale).
    TreeEditor(TreeDemoState& state, std::function<void()> treeChanged);
    ~TreeEditor();
    TreeEditor(const TreeEditor&) = delete;
    TreeEditor& operator=(const TreeEditor&) = delete;

    // Watches the species file the tree came from, from its present state on.
    void watch(const std::string& path);
    // Regrows from the watched file when it changed since the last frame.
    void reloadIfChanged();
    // The panel is open or closed (the E key).
    void toggle() { open_ = !open_; }
    bool isOpen() const { return open_; }
    // Builds this frame's GUI windows: the panel when open, the error window
    // while there is an error. Changes regrow the tree at once.
    void draw();
    // The tree came from a preset (a number key): Reset returns to it.
    void presetLoaded();

    // Editor state for the state dump: open, error, reloads, the watched
    // file, the last file saved, the rectangles of last frame's widgets.
    nlohmann::json describe() const;
    // The message shown in the error window, "" for none.
    const std::string& getError() const { return error_; }

private:
    // Regrows from the working set; a tree over the budget is refused, the
    // working set goes back to the tree on show.
    void regrow();
    // Reads a species file into the working set and regrows; false (with the
    // error set) when the file cannot be used.
    bool loadFile(const std::string& path);
    void drawLeafTextureCombo();
    bool applyLeafTexture(const std::string& texture);
    void drawPanel();
    void drawParameters(int group, int level);
    // One slider or field; true when the value changed.
    bool drawParameter(const ParameterInfo& info, std::size_t level);
    void drawSavePopup();
    void drawLoadPopup();
    void drawError();
    void save(const std::string& name);
    // Remembers where the last widget was drawn, for tests that click it.
    void noteItem(const std::string& name);

    TreeDemoState& state_;
    std::function<void()> treeChanged_;
    FileWatcher watcher_;
    std::unique_ptr<TreeParameters> fileParameters_; // the watched file's last good set
    bool open_ = false;
    std::array<char, 256> nameField_{};
    std::array<char, 1024> pathField_{};
    std::string error_;
    bool fileError_ = false; // the error is the watched file's, not the panel's
    std::minstd_rand seeds_; // New seed's own sequence; the tree's generator is left alone
    std::string status_;    // what the last Save or Load did
    std::string lastSaved_; // the file Save last wrote
    unsigned reloads_ = 0;  // regrowths from the watched file changing
    unsigned edits_ = 0;    // regrowths from the panel
    std::map<std::string, std::array<float, 4>> items_; // widget -> x0, y0, x1, y1
};
