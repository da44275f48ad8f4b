// SPDX-License-Identifier: GPL-3.0-or-later
#include "xml/xml_node.h"

#include "xml/xml_error.h"

#include <exception>
#include <string_view>

namespace orbisk {
namespace {

bool IsNameStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
}

bool IsNameChar(unsigned char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '.' || c == '-';
}

// pugixml writes any name as given, so an unchecked name could break the
// serialised document.
void RequireXmlName(const std::string& name) {
    if (name.empty() || !IsNameStart(static_cast<unsigned char>(name[0])))
        throw XmlError(XmlError::kInvalidArg);
    for (char c : name)
        if (!IsNameChar(static_cast<unsigned char>(c)))
            throw XmlError(XmlError::kInvalidArg);
}

bool IsTextLike(pugi::xml_node node) {
    const auto type = node.type();
    return type == pugi::node_pcdata || type == pugi::node_cdata || type == pugi::node_comment ||
           type == pugi::node_pi;
}

// Collects text in document order; pugixml's walk needs no stack per level,
// so documents built deep through the API cannot exhaust ours.
class TextCollector : public pugi::xml_tree_walker {
public:
    explicit TextCollector(std::string& text) : text_(text) {}
    bool for_each(pugi::xml_node& node) override {
        const auto type = node.type();
        if (type == pugi::node_pcdata || type == pugi::node_cdata)
            text_ += node.value();
        return true;
    }

private:
    std::string& text_;
};

} // namespace

XmlNode::XmlNode(std::shared_ptr<XmlDocumentState> document, pugi::xml_node node)
    : document_(std::move(document)), node_(node) {}

void XmlNode::Changed() const {
    if (document_)
        ++document_->generation;
}

size_t XmlNode::ChildCount() const {
    if (!node_)
        return 0;
    if (CacheValid())
        return cache_.count;
    size_t count = 0;
    for (auto it = node_.begin(); it != node_.end(); ++it)
        ++count;
    cache_ = {document_->generation, count, 0, node_.first_child()};
    return count;
}

XmlNode XmlNode::ChildAt(size_t index) const {
    if (!node_ || index >= ChildCount())
        return {};
    // Walk from the remembered child when it lies before the one asked for.
    size_t at = cache_.index;
    pugi::xml_node child = cache_.child;
    if (!child || at > index) {
        at = 0;
        child = node_.first_child();
    }
    for (; at < index && child; ++at)
        child = child.next_sibling();
    cache_.index = at;
    cache_.child = child;
    return child ? XmlNode(document_, child) : XmlNode();
}

std::string XmlNode::BaseName() const {
    const std::string name = node_.name();
    const auto colon = name.find(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
}

std::string XmlNode::Text() const {
    if (IsTextLike(node_))
        return node_.value();
    std::string text;
    TextCollector collector(text);
    pugi::xml_node node = node_;
    node.traverse(collector);
    return text;
}

void XmlNode::SetText(const std::string& text) {
    if (!node_)
        return;
    if (IsTextLike(node_)) {
        if (!node_.set_value(text.c_str()))
            throw XmlError(XmlError::kFail);
        return;
    }
    while (node_.first_child())
        node_.remove_child(node_.first_child());
    Changed();
    if (text.empty())
        return;
    const bool set = node_.append_child(pugi::node_pcdata).set_value(text.c_str());
    Changed();
    if (!set)
        throw XmlError(XmlError::kFail);
}

std::string XmlNode::Attribute(const std::string& name) const {
    if (!node_)
        return {};
    if (node_.type() != pugi::node_element)
        throw XmlError(XmlError::kPointer);
    return node_.attribute(name.c_str()).value();
}

void XmlNode::SetAttribute(const std::string& name, const std::string& text) {
    if (!node_)
        throw XmlError(XmlError::kPointer);
    if (node_.type() != pugi::node_element)
        return;
    RequireXmlName(name);
    pugi::xml_attribute attribute = node_.attribute(name.c_str());
    if (!attribute)
        attribute = node_.append_attribute(name.c_str());
    if (!attribute || !attribute.set_value(text.c_str()))
        throw XmlError(XmlError::kFail);
}

void XmlNode::SetAttributeInt(const std::string& name, long value) {
    SetAttribute(name, std::to_string(value));
}

XmlNode XmlNode::InsertChildElement(const std::string& name, size_t position) {
    if (!node_)
        throw XmlError(XmlError::kPointer);
    RequireXmlName(name);
    const XmlNode before = ChildAt(position);
    pugi::xml_node inserted = before.IsNull()
                                  ? node_.append_child(name.c_str())
                                  : node_.insert_child_before(name.c_str(), before.node_);
    if (!inserted)
        throw XmlError(XmlError::kFail);
    Changed();
    return XmlNode(document_, inserted);
}

XmlNode XmlNode::AppendChildElement(const std::string& name) {
    if (!node_)
        throw XmlError(XmlError::kPointer);
    RequireXmlName(name);
    const pugi::xml_node appended = node_.append_child(name.c_str());
    if (!appended)
        throw XmlError(XmlError::kFail);
    Changed();
    return XmlNode(document_, appended);
}

XmlNode XmlNode::SelectSingle(const std::string& query) const {
    if (!node_)
        return {};
    try {
        const pugi::xpath_node found = node_.select_node(query.c_str());
        if (!found.node())
            return {};
        return XmlNode(document_, found.node());
    } catch (const std::exception&) {
        return {};
    }
}

XmlNode XmlNode::ChildNamed(const std::string& baseName) const {
    for (pugi::xml_node child = node_.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        const std::string_view name = child.name();
        const size_t colon = name.find(':');
        if ((colon == std::string_view::npos ? name : name.substr(colon + 1)) == baseName)
            return XmlNode(document_, child);
    }
    return {};
}

} // namespace orbisk
