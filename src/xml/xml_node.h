#pragma once

#include <memory>
#include <pugixml.hpp>
#include <string>

namespace orbisk {

// One node of an XmlDocument, or none (a null node). Copies share the node and
// keep its document alive. Missing nodes and attributes give null nodes and
// empty texts; misuse raises XmlError. Texts are UTF-8.
class XmlNode {
public:
    XmlNode() = default;
    XmlNode(std::shared_ptr<pugi::xml_document> document, pugi::xml_node node);

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

    // First node matching an element name or path below this node; a null node
    // when nothing matches or the query is not valid. Never throws.
    XmlNode SelectSingle(const std::string& query) const;

private:
    std::shared_ptr<pugi::xml_document> document_;
    pugi::xml_node node_;
};

} // namespace orbisk
