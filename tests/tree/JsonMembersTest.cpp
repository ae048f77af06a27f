// The JSON member reader: where each key and value starts, and the checks
// made on the raw text before parsing.
#include "JsonMembers.h"

#include <string> // Required for: std::string

#include <gtest/gtest.h>

TEST(JsonMembers, KeysValuesAndArrayEntriesKeepTheirOffsets) {
    const std::string text = "{\n  \"a\": 1.5,\n  \"b\\\"q\": \"x\",\n  \"c\": [true, null, -2e3],\n  \"d\": {\"e\": 1}\n}";
    const JsonMembers json = readJsonMembers(text);
    ASSERT_FALSE(json.failure) << json.failure->problem;
    EXPECT_EQ(json.objectOffset, 0u);
    ASSERT_EQ(json.members.size(), 4u);
    const JsonMember& a = json.members[0];
    EXPECT_EQ(a.key, "a");
    EXPECT_EQ(text.substr(a.keyOffset, 3), "\"a\"");
    EXPECT_EQ(text.substr(a.valueOffset, 3), "1.5");
    EXPECT_EQ(a.scalar.number, 1.5);
    const JsonMember& b = json.members[1];
    EXPECT_EQ(b.key, "b\"q");
    EXPECT_EQ(text.substr(b.keyOffset, 2), "\"b");
    EXPECT_EQ(b.scalar.kind, JsonScalar::String);
    EXPECT_EQ(text.substr(b.valueOffset, 3), "\"x\"");
    const JsonMember& c = json.members[2];
    ASSERT_TRUE(c.isArray);
    ASSERT_EQ(c.elements.size(), 3u);
    EXPECT_EQ(text[c.valueOffset], '[');
    EXPECT_EQ(text.substr(c.elements[0].offset, 4), "true");
    EXPECT_EQ(text.substr(c.elements[1].offset, 4), "null");
    EXPECT_EQ(text.substr(c.elements[2].offset, 4), "-2e3");
    EXPECT_EQ(c.elements[2].number, -2000.0);
    const JsonMember& d = json.members[3];
    EXPECT_TRUE(d.hasNested);
    EXPECT_EQ(text[d.placeOfValue()], '{');

    const TextPlace place = placeOf(text, c.elements[2].offset);
    EXPECT_EQ(place.line, 4u);
    EXPECT_EQ(place.column, 21u);
}

TEST(JsonMembers, FailuresSayWhereAndInWhichMember) {
    JsonMembers json = readJsonMembers("{\"a\": 1, \"b\": [1, 2");
    ASSERT_TRUE(json.failure);
    EXPECT_EQ(json.failure->field, "b");
    EXPECT_NE(json.failure->problem.find("ends before"), std::string::npos);
    json = readJsonMembers("{\"a\": 1e400}");
    ASSERT_TRUE(json.failure);
    EXPECT_TRUE(json.failure->numberTooLarge);
    EXPECT_EQ(json.failure->offset, 6u);
    EXPECT_EQ(json.failure->field, "a");
    json = readJsonMembers("7");
    ASSERT_TRUE(json.failure);
    EXPECT_NE(json.failure->problem.find("no JSON object"), std::string::npos);
    json = readJsonMembers("{\"a\": 1} x");
    ASSERT_TRUE(json.failure);
    EXPECT_EQ(json.failure->offset, 9u);
    EXPECT_NE(json.failure->problem.find("not valid JSON"), std::string::npos) << json.failure->problem;
    json = readJsonMembers(" \n");
    ASSERT_TRUE(json.failure);
    EXPECT_EQ(json.failure->problem, "the file is empty");
}

TEST(JsonMembers, Utf8IsCheckedByteByByteAndColumnsCountCharacters) {
    EXPECT_EQ(firstInvalidUtf8("plain"), std::string::npos);
    EXPECT_EQ(firstInvalidUtf8("gr\xc3\xbcn \xe2\x82\xac \xf0\x9f\x8c\xb3"), std::string::npos);
    EXPECT_EQ(firstInvalidUtf8("ab\xff"), 2u);             // never a UTF-8 byte
    EXPECT_EQ(firstInvalidUtf8("a\xc3"), 1u);              // cut short
    EXPECT_EQ(firstInvalidUtf8("a\xc0\xaf"), 1u);          // overlong '/'
    EXPECT_EQ(firstInvalidUtf8("a\xed\xa0\x80"), 1u);      // a UTF-16 surrogate
    EXPECT_EQ(firstInvalidUtf8("a\xf4\x90\x80\x80"), 1u);  // past U+10FFFF
    EXPECT_EQ(firstInvalidUtf8("a\xe2\x28\xa1"), 1u);      // bad continuation
    const TextPlace place = placeOf("\xc3\xbc\xc3\xbc x\ny", 5);
    EXPECT_EQ(place.line, 1u);
    EXPECT_EQ(place.column, 4u);
    EXPECT_EQ(placeOf("a\nb", 2).line, 2u);
}
