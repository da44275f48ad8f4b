// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <pugixml.hpp>
#include <string>

namespace orbisk {

// The DOM of one document and a count of the changes made to its structure,
// which tells nodes when what they remember of their children is stale.
struct XmlDocumentState {
    pugi::xml_document dom;
    unsigned long generation = 0;
};

// One node of an XmlDocument, or none (a null node). Copies share the node and
// keep its document alive. Missing nodes and attributes give null nodes and
// empty texts; misuse raises XmlError. Texts are UTF-8.
class XmlNode {
public:
    XmlNode() = default;
    XmlNode(std::shared_ptr<XmlDocumentState> document, pugi::xml_node node);

    bool IsNull() const { return !node_; }

    size_t ChildCount() const;
    XmlNode ChildAt(size_t index) const;
    // The name without a namespace prefix.
    std::string BaseName() const;
    // All descendant text joined in document order.
    std::string Text() const;
    void SetText(const std::string& text);

    std::string Attribute(const std::string& name) const;
    void SetAttribute(const std::string& name, const std::string& text);
    void SetAttributeInt(const std::string& name, long value);

    // Inserts a new element before the child at `position`, or appends it when
    // there is no child there.
    XmlNode InsertChildElement(const std::string& name, size_t position);
    // Appends a new element without counting the children first, so that
    // building a document child by child stays linear.
    XmlNode AppendChildElement(const std::string& name);

    // First node matching an element name or path below this node; a null node
    // when nothing matches or the query is not valid. Never throws.
    XmlNode SelectSingle(const std::string& query) const;
    // The first child element whose name, without a namespace prefix, is
    // `baseName`; a null node when there is none. Never throws.
    XmlNode ChildNamed(const std::string& baseName) const;
    // Its text, or empty.
    std::string ChildText(const std::string& baseName) const { return ChildNamed(baseName).Text(); }

private:
    // Readers walk children with ChildCount and ChildAt in a loop; remembering
    // the count and the last child keeps such a walk linear.
    struct ChildCache {
        unsigned long generation = ~0ul;
        size_t count = 0;
        size_t index = 0;
        pugi::xml_node child;
    };
    bool CacheValid() const { return document_ && cache_.generation == document_->generation; }
    void Changed() const;

    std::shared_ptr<XmlDocumentState> document_;
    pugi::xml_node node_;
    mutable ChildCache cache_;
};

} // namespace orbisk
