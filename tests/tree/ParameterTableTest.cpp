// The parameter table against the record it describes and the presets.
#include "ParameterTable.h"
#include "TreeParameters.h"
#include "TreeType.h"

#include <set>    // Required for: std::set
#include <string> // Required for: std::string

#include <gtest/gtest.h>

TEST(ParameterTable, EveryEntryIsItsOwnFieldOfTheRecord) {
    const auto table = parameterTable();
    // TreeParameters has 30 global fields (three reserved words are left
    // out) and 16 per-level arrays.
    size_t globals = 0, perLevel = 0;
    std::set<std::string> names;
    for (const ParameterInfo& info : table) {
        (info.scope == ParameterScope::Global ? globals : perLevel) += 1;
        EXPECT_TRUE(names.insert(info.name).second) << info.name << " is listed twice";
        EXPECT_EQ(findParameter(info.name), &info);
        EXPECT_LE(info.minimum, info.maximum) << info.name;
        EXPECT_NE(std::string(info.meaning), "") << info.name;
    }
    EXPECT_EQ(globals, 27u);
    EXPECT_EQ(perLevel, 16u);

    // Setting one entry through the table changes that parameter and no other,
    // so no two entries point at the same member.
    for (const ParameterInfo& changed : table) {
        if (std::string(changed.name) == "levels") continue;
        TreeParameters p(3);
        p.loadPreset(TREE_BLACK_TUPELO);
        const TreeParameters before = *p.clone();
        const double value = changed.get(p, 2) == 7 ? 6 : 7;
        changed.set(p, value, 2);
        EXPECT_EQ(changed.get(p, 2), value) << changed.name;
        for (const ParameterInfo& other : table) {
            if (&other == &changed) continue;
            for (size_t level = 0; level < p.levels; ++level)
                EXPECT_EQ(other.get(p, level), other.get(before, level))
                    << "setting " << changed.name << " changed " << other.name << "[" << level << "]";
        }
    }
}

TEST(ParameterTable, LookupsTypesAndLevels) {
    EXPECT_EQ(findParameter("downAngel"), nullptr);
    EXPECT_STREQ(nearestParameterName("downAngel"), "downAngle");
    EXPECT_STREQ(nearestParameterName("ringvertices"), "ringVertices");
    EXPECT_STREQ(nearestParameterName("leafalfa"), "leafAlpha");

    const ParameterInfo& shape = *findParameter("shape");
    EXPECT_EQ(shape.type, ParameterType::UInt8);
    EXPECT_EQ(shape.minimum, 0);
    EXPECT_EQ(shape.maximum, 8);
    EXPECT_EQ(findParameter("branches")->type, ParameterType::Int32);
    EXPECT_EQ(findParameter("type")->type, ParameterType::UInt32);
    EXPECT_EQ(findParameter("taper")->scope, ParameterScope::PerLevel);
    EXPECT_FALSE(findParameter("pruneWidth")->readByGrowth);
    EXPECT_TRUE(findParameter("leafAlpha")->readByGrowth);

    // "levels" goes through setLevels: every array follows.
    TreeParameters p(2);
    p.loadPreset(TREE_PALM);
    findParameter("levels")->set(p, 4);
    EXPECT_EQ(p.levels, 4);
    EXPECT_EQ(p.ringVertices.size(), 4u);
    EXPECT_EQ(p.downAngle.size(), 4u);
    EXPECT_EQ(findParameter("levels")->get(p), 4);

    // Floats round to the nearest float, integers keep their value.
    findParameter("baseSize")->set(p, 0.3);
    EXPECT_EQ(p.baseSize, 0.3f);
    findParameter("type")->set(p, 4294967295.0);
    EXPECT_EQ(p.type, 4294967295u);
    findParameter("curveRes")->set(p, 17, 3);
    EXPECT_EQ(p.curveRes[3], 17);
}

TEST(ParameterTable, EveryPresetLiesInsideTheSafeRanges) {
    for (uint32_t type = 0; type < TREE_TYPE_COUNT; ++type) {
        TreeParameters p(2);
        p.loadPreset(type);
        for (const ParameterInfo& info : parameterTable()) {
            const size_t entries = info.scope == ParameterScope::Global ? 1 : p.levels;
            for (size_t level = 0; level < entries; ++level) {
                EXPECT_GE(info.get(p, level), info.minimum) << p.getTypeName() << ' ' << info.name << level;
                EXPECT_LE(info.get(p, level), info.maximum) << p.getTypeName() << ' ' << info.name << level;
            }
        }
    }
}
