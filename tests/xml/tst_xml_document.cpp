// SPDX-License-Identifier: GPL-3.0-or-later
#include "xml/xml_document.h"
#include "xml/xml_error.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

XmlDocument Loaded(const std::string& text) {
    XmlDocument document;
    EXPECT_TRUE(document.LoadXml(text)) << text;
    return document;
}

TEST(XmlDocumentLoad, AcceptsOnlyOneWellFormedDocument) {
    const char* good[] = {
        "<a/>",
        "<?xml version=\"1.0\"?><a x=\"1\">t</a>",
        "<!-- note --><a/>",
        "<!DOCTYPE a><a/>",
        "\xEF\xBB\xBF<a/>",
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>caf\xE9</a>",
    };
    for (const char* text : good)
        EXPECT_TRUE(XmlDocument().LoadXml(text)) << text;
    const char* bad[] = {"",        "   ",      "text",     "<a>",
                         "<a></b>", "<a/><b/>", "<a x=1/>", "<a><b></a></b>"};
    for (const char* text : bad) {
        XmlDocument document;
        EXPECT_FALSE(document.LoadXml(text)) << text;
        EXPECT_TRUE(document.Root().IsNull()) << text;
    }
}

TEST(XmlDocumentLoad, ConvertsLatin1DocumentsToUtf8) {
    const auto document = Loaded("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>caf\xE9</a>");
    EXPECT_EQ(document.Root().Text(), "caf\xC3\xA9");
}

TEST(XmlDocumentLoad, NeverExpandsExternalEntities) {
    XmlDocument document;
    const bool loaded =
        document.LoadXml("<!DOCTYPE a [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><a>&x;</a>");
    if (loaded) {
        EXPECT_EQ(document.Root().Text().find("root:"), std::string::npos);
    }
}

std::string Nested(const std::string& name, size_t depth, const std::string& inner = "t") {
    std::string text;
    for (size_t i = 0; i < depth; ++i)
        text += "<" + name + ">";
    text += inner;
    for (size_t i = 0; i < depth; ++i)
        text += "</" + name + ">";
    return text;
}

// Depth counts elements from the document element down; a million levels
// must end in a parse error, never in a stack overflow.
TEST(XmlDocumentLoad, RefusesNestingBeyondTheLimitWithAClearError) {
    XmlDocument document;
    ASSERT_TRUE(document.LoadXml(Nested("Info", XmlDocument::kMaxDepth)));
    EXPECT_EQ(document.Root().Text(), "t");
    EXPECT_TRUE(document.Error().empty());
    for (size_t depth : {XmlDocument::kMaxDepth + 1, size_t{1000000}}) {
        EXPECT_FALSE(document.LoadXml(Nested("Info", depth))) << depth;
        EXPECT_NE(document.Error().find("too deeply nested"), std::string::npos) << depth;
        EXPECT_TRUE(document.Root().IsNull());
    }
    EXPECT_FALSE(document.LoadXml("<a><b></a>"));
    EXPECT_NE(document.Error().find("not well-formed XML at byte"), std::string::npos);
}

// Documents built through the API have no depth limit, so reading their
// text must not recurse either.
TEST(XmlNodeWalk, TextOfADocumentBuiltDeepNeedsNoStack) {
    XmlDocument document;
    XmlNode node = document.CreateRoot("a");
    for (int i = 0; i < 200000; ++i)
        node = node.AppendChildElement("a");
    node.SetText("deep");
    EXPECT_EQ(document.Root().Text(), "deep");
}

TEST(XmlNodeWalk, GivesNullNodesAndEmptyTextsForWhatIsMissing) {
    const auto document = Loaded("<r><a k=\"v\">one</a><b/></r>");
    const XmlNode root = document.Root();
    EXPECT_EQ(root.ChildCount(), 2u);
    EXPECT_TRUE(root.ChildAt(2).IsNull());
    EXPECT_EQ(root.ChildAt(0).Attribute("k"), "v");
    EXPECT_EQ(root.ChildAt(0).Attribute("missing"), "");
    const XmlNode null;
    EXPECT_EQ(null.ChildCount(), 0u);
    EXPECT_TRUE(null.ChildAt(0).IsNull());
    EXPECT_EQ(null.BaseName(), "");
    EXPECT_EQ(null.Text(), "");
    EXPECT_EQ(null.Attribute("k"), "");
    EXPECT_TRUE(XmlDocument().Root().IsNull());
}

TEST(XmlNodeWalk, NamesWithoutPrefixAndTextOfAllDescendants) {
    const auto document =
        Loaded("<ns:r xmlns:ns=\"u\"><ns:a>x<b>y</b><![CDATA[<z>]]></ns:a></ns:r>");
    const XmlNode a = document.Root().ChildAt(0);
    EXPECT_EQ(document.Root().BaseName(), "r");
    EXPECT_EQ(a.BaseName(), "a");
    EXPECT_EQ(a.Text(), "xy<z>");
    EXPECT_EQ(document.Root().Text(), "xy<z>");
    EXPECT_EQ(a.ChildAt(0).BaseName(), "");
    EXPECT_EQ(a.ChildAt(0).Text(), "x");
}

TEST(XmlNodeWalk, AttributeOfATextNodeIsAnError) {
    const auto document = Loaded("<a>text</a>");
    try {
        document.Root().ChildAt(0).Attribute("k");
        FAIL() << "no XmlError";
    } catch (const XmlError& error) {
        EXPECT_EQ(error.Code(), XmlError::kPointer);
    }
}

TEST(XmlNodeSelect, FindsChildNamesAndPathsAndNeverThrows) {
    const auto document = Loaded("<Root><GeoCoderSetting><GeoCoder Type=\"1\"/><GeoCoder "
                                 "Type=\"2\"/></GeoCoderSetting></Root>");
    const XmlNode root = document.Root();
    EXPECT_EQ(root.SelectSingle("GeoCoderSetting").BaseName(), "GeoCoderSetting");
    EXPECT_EQ(root.SelectSingle("GeoCoderSetting/GeoCoder").Attribute("Type"), "1");
    EXPECT_EQ(root.SelectSingle("GeoCoderSetting/GeoCoder[@Type='2']").Attribute("Type"), "2");
    EXPECT_TRUE(root.SelectSingle("Missing").IsNull());
    EXPECT_TRUE(root.SelectSingle("GeoCoderSetting/GeoCoder/@Type").IsNull());
    for (const char* broken : {"", "[", "///", "GeoCoder[", "a b c", "count(("})
        EXPECT_TRUE(root.SelectSingle(broken).IsNull()) << broken;
    EXPECT_TRUE(XmlNode().SelectSingle("a").IsNull());
}

TEST(XmlNodeBuild, InsertsChildrenAtPositionsOrAppends) {
    XmlDocument document;
    XmlNode root = document.CreateRoot("r");
    root.InsertChildElement("first", 0);
    root.InsertChildElement("second", 1);
    root.InsertChildElement("front", 0);
    root.InsertChildElement("back", 5);
    EXPECT_EQ(document.XmlText(), "<r><front/><first/><second/><back/></r>");
}

TEST(XmlNodeBuild, ChildWalksSeeChangesMadeThroughAnyHandle) {
    auto document = Loaded("<r><a/><b/><c/></r>");
    const XmlNode reader = document.Root();
    XmlNode writer = document.Root();
    EXPECT_EQ(reader.ChildCount(), 3u);
    EXPECT_EQ(reader.ChildAt(2).BaseName(), "c");
    writer.InsertChildElement("front", 0);
    EXPECT_EQ(reader.ChildCount(), 4u);
    EXPECT_EQ(reader.ChildAt(0).BaseName(), "front");
    EXPECT_EQ(reader.ChildAt(3).BaseName(), "c");
    EXPECT_EQ(reader.ChildAt(1).BaseName(), "a") << "walking backwards";
    writer.SetText("");
    EXPECT_EQ(reader.ChildCount(), 0u);
    EXPECT_TRUE(reader.ChildAt(0).IsNull());
}

TEST(XmlNodeBuild, WritesAttributesInOrderAndReplacesExistingOnes) {
    XmlDocument document;
    XmlNode root = document.CreateRoot("Marker");
    root.SetAttribute("Title", "A");
    root.SetAttributeInt("Zoom", -12);
    root.SetAttribute("Lat", "1.5");
    root.SetAttribute("Title", "B");
    EXPECT_EQ(document.XmlText(), "<Marker Title=\"B\" Zoom=\"-12\" Lat=\"1.5\"/>");
}

TEST(XmlNodeBuild, EscapesMarkupAndRoundTripsTextByteForByte) {
    const std::string title = "Tom & Jerry's <b>\"caf\xC3\xA9\"</b> \xE2\x82\xAC";
    XmlDocument document;
    XmlNode root = document.CreateRoot("r");
    root.SetAttribute("Title", title);
    root.InsertChildElement("Info", 0).SetText(title);
    const std::string text = document.XmlText();
    EXPECT_EQ(text.find("<b>"), std::string::npos);
    EXPECT_EQ(text.find("<?xml"), std::string::npos);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    const auto reloaded = Loaded(text);
    EXPECT_EQ(reloaded.Root().Attribute("Title"), title);
    EXPECT_EQ(reloaded.Root().ChildAt(0).Text(), title);
}

TEST(XmlNodeBuild, SetTextReplacesAllContent) {
    auto document = Loaded("<a>x<b>y</b>z</a>");
    XmlNode root = document.Root();
    root.SetText("new");
    EXPECT_EQ(document.XmlText(), "<a>new</a>");
    root.SetText("");
    EXPECT_EQ(root.ChildCount(), 0u);
}

TEST(XmlNodeBuild, RefusesNullNodesBadNamesAndASecondRoot) {
    XmlNode null;
    EXPECT_THROW(null.SetAttribute("a", "b"), XmlError);
    EXPECT_THROW(null.InsertChildElement("a", 0), XmlError);
    null.SetText("ignored");

    XmlDocument document;
    XmlNode root = document.CreateRoot("r");
    EXPECT_THROW(document.CreateRoot("second"), XmlError);
    for (const char* name : {"", "1a", "a b", "a>", "a\"", "<x"}) {
        EXPECT_THROW(root.InsertChildElement(name, 0), XmlError) << name;
        EXPECT_THROW(root.SetAttribute(name, "v"), XmlError) << name;
    }
    EXPECT_EQ(document.XmlText(), "<r/>");
}

TEST(XmlNodeBuild, NodesKeepTheirDocumentAlive) {
    XmlNode kept;
    {
        auto document = Loaded("<a><b>text</b></a>");
        kept = document.Root().ChildAt(0);
    }
    EXPECT_EQ(kept.Text(), "text");
}

TEST(XmlDocumentCreate, EmptiesTheDocument) {
    auto document = Loaded("<a/>");
    document.Create();
    EXPECT_TRUE(document.Root().IsNull());
    EXPECT_EQ(document.XmlText(), "");
    EXPECT_FALSE(document.CreateRoot("b").IsNull());
}

TEST(XmlError, WordsItsCode) {
    EXPECT_EQ(XmlError(XmlError::kPointer).Code(), XmlError::kPointer);
    EXPECT_STREQ(XmlError(0x80040205).what(), "IDispatch error #5");
    EXPECT_STREQ(XmlError(0x80040200).what(), "Unknown error 0x80040200");
    EXPECT_STREQ(XmlError(0x8004FFFF).what(), "IDispatch error #65023");
    EXPECT_STREQ(XmlError(0x80050000).what(), "Unknown error 0x80050000");
}

} // namespace
} // namespace orbisk
