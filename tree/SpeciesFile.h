#pragma once

#include "TreeParameters.h"

#include <cstddef>     // Required for: size_t
#include <cstdint>     // Required for: uint64_t
#include <memory>      // Required for: std::unique_ptr
#include <stdexcept>   // Required for: std::runtime_error
#include <string>      // Required for: std::string
#include <string_view> // Required for: std::string_view

// A named parameter set read from a species file.
struct Species {
    std::string name;
    std::unique_ptr<TreeParameters> parameters;
    // The leaf atlas the species names ("leafTexture"), as written in the
    // file: a media name or a path to an image. Empty: the program's own atlas.
    // A picture, not a growth number, so it lives beside the parameters.
    std::string leafTexture;
};

// Why a species file (or a --set assignment) cannot be used. what() is the
// whole one-line message: "FILE:LINE:COLUMN: FIELD: what was wrong; what is
// accepted". Line and column count from 1; 0 where there is no position
// (an override, a file that cannot be opened).
class SpeciesError : public std::runtime_error {
public:
    SpeciesError(std::string file, size_t line, size_t column, std::string field,
                 const std::string& problem);
    const std::string& file() const { return file_; }
    size_t line() const { return line_; }
    size_t column() const { return column_; }
    const std::string& field() const { return field_; } // "" when no field is concerned
    const std::string& problem() const { return problem_; }

private:
    std::string file_;
    size_t line_;
    size_t column_;
    std::string field_;
    std::string problem_;
};

// Files above this size are refused before they are parsed.
constexpr size_t SPECIES_FILE_MAX_BYTES = 1024 * 1024;

// Reads and checks a species file; throws SpeciesError.
Species readSpeciesFile(const std::string& path);
// Parses species file text; `fileName` only names it in messages. Throws SpeciesError.
Species parseSpecies(std::string_view text, const std::string& fileName);
// The complete species file of a parameter set: every field by name, floats
// as the shortest decimal that reads back to the same float. The same
// parameters and name always give the same bytes. `leafTexture` is written
// only when it is not empty.
std::string speciesFileText(const TreeParameters& p, const std::string& name,
                            const std::string& leafTexture = "");
// Applies "name=value" or "name[level]=value" (a per-level name without an
// index sets every level) with the checks of the file reader; throws
// SpeciesError with the assignment as its file.
void applyOverride(TreeParameters& p, std::string_view assignment);
// The JSON Schema (draft 2020-12) of a species file, made from the parameter table.
std::string speciesSchemaText();
// Sets the level count; entries of new levels repeat the last level's values
// (where TreeParameters::setLevels would leave them 0), so a grown set still
// describes a tree that grows.
void resizeLevels(TreeParameters& p, uint8_t count);
