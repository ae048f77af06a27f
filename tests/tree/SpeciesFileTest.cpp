// Species files: writing, reading back, overrides, and the message for
// every kind of bad file; and the vertex budget of the structure pass.
#include "ParameterTable.h"
#include "SpeciesFile.h"
#include "StemWalk.h"
#include "Tree.h"
#include "TreeType.h"

#include <string> // Required for: std::string

#include <gtest/gtest.h>

namespace {

TreeParameters preset(uint32_t type) {
    TreeParameters p(2);
    p.loadPreset(type);
    return p;
}

// Every parameter of the table equal, entry by entry.
void expectSameParameters(const TreeParameters& a, const TreeParameters& b, const std::string& what) {
    ASSERT_EQ(a.levels, b.levels) << what;
    for (const ParameterInfo& info : parameterTable()) {
        const size_t entries = info.scope == ParameterScope::Global ? 1 : a.levels;
        for (size_t level = 0; level < entries; ++level)
            EXPECT_EQ(info.get(a, level), info.get(b, level)) << what << ": " << info.name << "[" << level << "]";
    }
}

// The error parsing `text` gives; fails the test when it parses.
SpeciesError errorOf(const std::string& text) {
    try {
        parseSpecies(text, "bad.json");
    } catch (const SpeciesError& e) {
        return e;
    }
    ADD_FAILURE() << "parsed without error: " << text;
    return SpeciesError("", 0, 0, "", "");
}

} // namespace

TEST(SpeciesFile, EveryPresetRoundTripsToTheSameParametersAndBytes) {
    for (uint32_t type = 0; type < TREE_TYPE_COUNT; ++type) {
        const TreeParameters p = preset(type);
        const std::string text = speciesFileText(p, p.getTypeName());
        const Species read = parseSpecies(text, "preset.json");
        EXPECT_EQ(read.name, p.getTypeName());
        expectSameParameters(*read.parameters, p, p.getTypeName());
        EXPECT_EQ(speciesFileText(*read.parameters, read.name), text);
    }
    // Floats are written as the shortest decimal that reads back to them.
    const std::string aspen = speciesFileText(preset(TREE_QUAKING_ASPEN), "Quaking Aspen");
    EXPECT_NE(aspen.find("\"baseSize\": 0.3,\n"), std::string::npos) << aspen;
    EXPECT_NE(aspen.find("\"lobeDepth\": 0.07,\n"), std::string::npos);
    EXPECT_NE(aspen.find("\"length\": [1, 0.3, 0.6],\n"), std::string::npos);
    EXPECT_NE(aspen.find("\"ringVertices\": [6, 6, 4]\n}\n"), std::string::npos);
}

TEST(SpeciesFile, BaseGivesOnlyTheChangedFields) {
    const Species read = parseSpecies(R"({"base": "quaking aspen", "shape": 2, "curve": [0, 10, 20]})", "b.json");
    EXPECT_EQ(read.name, "Quaking Aspen");
    TreeParameters expected = preset(TREE_QUAKING_ASPEN);
    expected.shape = 2;
    expected.curve = {0, 10, 20};
    expectSameParameters(*read.parameters, expected, "base");

    // By number, with its own name and more levels: new levels repeat the last one.
    const Species more = parseSpecies(R"({"name": "Tall", "base": 5, "levels": 3, "branches": [0, 33, 4]})", "m.json");
    EXPECT_EQ(more.name, "Tall");
    EXPECT_EQ(more.parameters->levels, 3);
    EXPECT_EQ(more.parameters->ringVertices[2], 8);
    EXPECT_EQ(more.parameters->curveRes[2], 9);
    EXPECT_EQ(more.parameters->branches[2], 4);
}

TEST(SpeciesFile, BadFilesNameTheFileLineColumnAndField) {
    struct Case {
        const char* text;
        size_t line, column;
        const char* field;
        const char* says;
    };
    const Case cases[] = {
        {"hello", 1, 1, "", "not valid JSON"},
        {"{\n  \"base\": 1,\n  \"curve\": [1, 2, ", 3, 19, "curve", "ends before"},
        {"[1, 2]", 1, 1, "", "no JSON object"},
        {"{\"base\": 1,\n \"downAngel\": [0, 1, 2]}", 2, 2, "downAngel", "did you mean \"downAngle\""},
        {"{\"base\": 1,\n  \"shape\": \"round\"}", 2, 12, "shape", "whole number in 0..8"},
        {"{\"base\": 1,\n  \"shape\": 12}", 2, 12, "shape", "12 is out of range; accepted: a whole number in 0..8"},
        {"{\"base\": 1,\n  \"scale\": 1e999}", 2, 12, "scale", "not a finite number"},
        {"{\"base\": 1,\n  \"curve\": [1, 2]}", 2, 12, "curve", "has 2 entries but levels is 3"},
        {"{\"base\": 1,\n  \"curve\": [1, 2, 3, 4]}", 2, 12, "curve", "has 4 entries"},
        {"{\"base\": 1,\n  \"ringVertices\": [6, 6, 4.5]}", 2, 26, "ringVertices[2]", "not a whole number"},
        {"{\"base\": 1,\n  \"curve\": [1, [2], 3]}", 2, 16, "curve", "array of 3 entries"},
        {"{\"base\": 1,\n  \"shape\": {\"a\": 1}}", 2, 12, "shape", "expected a whole number"},
        {"{\"base\": 1,\n  \"ratio\": [0.1]}", 2, 12, "ratio", "expected a number"},
        {"{\"base\": 1, \"shape\": 1,\n \"shape\": 2}", 2, 2, "shape", "given twice"},
        {"{\"base\": \"Oak\"}", 1, 10, "base", "names no preset"},
        {"{\"base\": 1, \"name\": 3}", 1, 21, "name", "not a string"},
        {"{\"base\": 1,\n  \"name\": \"Bad \xff\"}", 2, 16, "", "invalid UTF-8"},
        {"{\"name\": \"x\",\n \"levels\": 3}", 1, 1, "type", "missing"},
        {"{\"base\": 1, \"levels\": 0}", 1, 23, "levels", "out of range"},
        {"{\"base\": 1, \"reservedA\": 0}", 1, 13, "reservedA", "unknown field"},
    };
    for (const Case& c : cases) {
        const SpeciesError e = errorOf(c.text);
        EXPECT_EQ(e.file(), "bad.json") << c.text;
        EXPECT_EQ(e.line(), c.line) << c.text << "\n" << e.what();
        EXPECT_EQ(e.column(), c.column) << c.text << "\n" << e.what();
        EXPECT_EQ(e.field(), c.field) << c.text << "\n" << e.what();
        EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        const std::string place = "bad.json:" + std::to_string(c.line) + ":" + std::to_string(c.column) + ": ";
        EXPECT_EQ(std::string(e.what()).rfind(place, 0), 0u) << e.what();
    }
}

TEST(SpeciesFile, LargeAndMissingFilesAreRefusedBeforeParsing) {
    const std::string big(SPECIES_FILE_MAX_BYTES + 1, ' ');
    const SpeciesError e = errorOf(big);
    EXPECT_NE(std::string(e.what()).find("limited to 1048576 bytes"), std::string::npos) << e.what();
    try {
        readSpeciesFile("/nonexistent/species.json");
        ADD_FAILURE() << "read a file that does not exist";
    } catch (const SpeciesError& error) {
        EXPECT_EQ(error.file(), "/nonexistent/species.json");
        EXPECT_NE(std::string(error.what()).find("cannot open"), std::string::npos);
    }
}

TEST(SpeciesFile, OverridesSetOneEntryOrEveryLevelAndCheckLikeTheReader) {
    TreeParameters p = preset(TREE_QUAKING_ASPEN);
    applyOverride(p, "downAngle[1]=45");
    EXPECT_EQ(p.downAngle[1], 45.0f);
    EXPECT_EQ(p.downAngle[2], 45.0f); // the preset's own value
    applyOverride(p, "curve=12.5");
    EXPECT_EQ(p.curve, (std::vector<float>{12.5f, 12.5f, 12.5f}));
    applyOverride(p, "leafAlpha=40");
    EXPECT_EQ(p.leafAlpha, 40);
    applyOverride(p, "levels=4");
    EXPECT_EQ(p.levels, 4);
    EXPECT_EQ(p.ringVertices[3], 4);
    applyOverride(p, "levels=2");
    EXPECT_EQ(p.levels, 2);
    EXPECT_EQ(p.ringVertices, (std::vector<int32_t>{6, 6}));

    struct Bad {
        const char* assignment;
        const char* field;
        const char* says;
    };
    const Bad bad[] = {
        {"downAngel=3", "downAngel", "did you mean \"downAngle\""},
        {"downAngle[9]=3", "downAngle", "level 9 does not exist"},
        {"shape[1]=3", "shape", "takes no [LEVEL]"},
        {"shape=9", "shape", "out of range"},
        {"shape=2.5", "shape", "not a whole number"},
        {"scale=nan", "scale", "not a finite number"},
        {"scale=1e999", "scale", "not a finite number"},
        {"scale=big", "scale", "not a number"},
        {"scale", "", "NAME=VALUE"},
        {"curve[x]=1", "curve[x]", "LEVEL"},
    };
    for (const Bad& b : bad) {
        try {
            applyOverride(p, b.assignment);
            ADD_FAILURE() << b.assignment << " was accepted";
        } catch (const SpeciesError& e) {
            EXPECT_EQ(e.field(), b.field) << b.assignment;
            EXPECT_EQ(e.file(), std::string("--set ") + b.assignment);
            EXPECT_NE(std::string(e.what()).find(b.says), std::string::npos) << e.what();
        }
    }
}

TEST(SpeciesFile, SchemaListsEveryParameterWithItsRange) {
    const std::string schema = speciesSchemaText();
    for (const ParameterInfo& info : parameterTable())
        EXPECT_NE(schema.find(std::string("\"") + info.name + "\": {"), std::string::npos) << info.name;
    EXPECT_NE(schema.find("\"additionalProperties\": false"), std::string::npos);
}

TEST(TreeBudget, AnEnormousTreeStopsItsStructurePassAndNeverGrows) {
    // A valid parameter set for a tree of 40 levels with 1000 branches each.
    TreeParameters p = preset(TREE_QUAKING_ASPEN);
    applyOverride(p, "levels=40");
    applyOverride(p, "branches=1000");
    Tree tree(p, 0, std::pmr::new_delete_resource(), Tree::DEFAULT_VERTEX_BUDGET);
    EXPECT_TRUE(tree.overBudget());
    EXPECT_GT(tree.plannedVertices(), Tree::DEFAULT_VERTEX_BUDGET);
    // It stopped as soon as it was over, long before the 1000^39 stems.
    EXPECT_LT(uint64_t(tree.stemCount), Tree::DEFAULT_VERTEX_BUDGET / 6);
    tree.grow();
    EXPECT_EQ(tree.vertexCount, 0);
    EXPECT_TRUE(tree.trunk->points.empty());
}

TEST(TreeBudget, PlannedVerticesMatchWhatGrowthCounts) {
    for (uint32_t type = 0; type < TREE_TYPE_COUNT; ++type) {
        const TreeParameters p = preset(type);
        Tree tree(p, 1000);
        ASSERT_FALSE(tree.overBudget());
        tree.grow();
        // The plan counts leaves as the structure pass rounds them.
        const int64_t leavesCreated = countLeaves(*tree.trunk);
        const int64_t counted = p.levels >= 2 ? tree.leafCount : 0;
        EXPECT_EQ(int64_t(tree.plannedVertices()), tree.vertexCount + 4 * (counted - leavesCreated))
            << p.getTypeName();

        // A budget of exactly the plan is enough; one less is not.
        Tree exact(p, 1000, std::pmr::new_delete_resource(), tree.plannedVertices());
        EXPECT_FALSE(exact.overBudget()) << p.getTypeName();
        Tree under(p, 1000, std::pmr::new_delete_resource(), tree.plannedVertices() - 1);
        EXPECT_TRUE(under.overBudget()) << p.getTypeName();
    }
}

// leafTexture is a string beside the parameters: read as written, written
// back after "name", left out when empty; anything but a non-empty string is
// refused at its place.
TEST(SpeciesFile, LeafTextureIsAStringBesideTheParameters) {
    const Species read = parseSpecies("{\"base\": 1, \"leafTexture\": \"my leaves.png\"}", "mine.json");
    EXPECT_EQ(read.leafTexture, "my leaves.png");
    expectSameParameters(*read.parameters, preset(TREE_QUAKING_ASPEN), "leafTexture changes no parameter");
    EXPECT_EQ(parseSpecies("{\"base\": 1}", "plain.json").leafTexture, "");

    const TreeParameters aspen = preset(TREE_QUAKING_ASPEN);
    const std::string text = speciesFileText(aspen, "Mine", read.leafTexture);
    EXPECT_EQ(text.rfind("{\n  \"name\": \"Mine\",\n  \"leafTexture\": \"my leaves.png\",\n", 0), 0u) << text;
    EXPECT_EQ(parseSpecies(text, "mine.json").leafTexture, "my leaves.png");
    EXPECT_EQ(speciesFileText(aspen, "Mine", ""), speciesFileText(aspen, "Mine"));
    EXPECT_EQ(speciesFileText(aspen, "Mine").find("leafTexture"), std::string::npos);

    for (const char* bad : {"{\"base\": 1,\n \"leafTexture\": 3}", "{\"base\": 1,\n \"leafTexture\": \"\"}",
                            "{\"base\": 1,\n \"leafTexture\": [\"a.png\"]}"}) {
        const SpeciesError e = errorOf(bad);
        EXPECT_EQ(e.field(), "leafTexture") << bad;
        EXPECT_EQ(e.line(), 2u) << bad;
        EXPECT_NE(e.problem().find("not a file name"), std::string::npos) << e.what();
    }
    EXPECT_EQ(errorOf("{\"base\": 1, \"leafTexture\": \"a\", \"leafTexture\": \"b\"}").problem(), "given twice");
    EXPECT_NE(speciesSchemaText().find("\"leafTexture\": {"), std::string::npos);
}
