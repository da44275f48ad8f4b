// SPDX-License-Identifier: GPL-3.0-or-later
#include "xml/xml_document.h"

#include "xml/xml_error.h"

#include <sstream>

namespace orbisk {
namespace {

size_t CountElementChildren(const pugi::xml_document& document) {
    size_t count = 0;
    for (pugi::xml_node child : document.children())
        if (child.type() == pugi::node_element)
            ++count;
    return count;
}

// Stops at the first element deeper than the limit; pugixml walks without recursion.
class DepthLimit : public pugi::xml_tree_walker {
public:
    bool for_each(pugi::xml_node& node) override {
        exceeded = node.type() == pugi::node_element &&
                   depth() >= static_cast<int>(XmlDocument::kMaxDepth);
        return !exceeded;
    }
    bool exceeded = false;
};

bool TooDeep(pugi::xml_document& dom) {
    DepthLimit limit;
    dom.traverse(limit);
    return limit.exceeded;
}

} // namespace

XmlDocument::XmlDocument() : document_(std::make_shared<XmlDocumentState>()) {}

void XmlDocument::Create() {
    document_ = std::make_shared<XmlDocumentState>();
}

bool XmlDocument::LoadXml(const std::string& text) {
    // Nodes handed out earlier keep the old document alive; they do not see the new one.
    document_ = std::make_shared<XmlDocumentState>();
    pugi::xml_document& dom = document_->dom;
    const pugi::xml_parse_result result =
        dom.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_auto);
    error_.clear();
    if (result.status != pugi::status_ok)
        error_ = std::string("not well-formed XML at byte ") + std::to_string(result.offset) +
                 ": " + result.description();
    else if (CountElementChildren(dom) != 1)
        error_ = "not one XML document: it needs exactly one document element";
    else if (TooDeep(dom))
        error_ =
            "too deeply nested: elements more than " + std::to_string(kMaxDepth) + " levels deep";
    if (error_.empty())
        return true;
    dom.reset();
    return false;
}

XmlNode XmlDocument::Root() const {
    const pugi::xml_node root = document_->dom.document_element();
    if (!root)
        return {};
    return XmlNode(document_, root);
}

XmlNode XmlDocument::CreateRoot(const std::string& name) {
    if (document_->dom.document_element())
        throw XmlError(XmlError::kFail);
    XmlNode document(document_, document_->dom);
    return document.InsertChildElement(name, document.ChildCount());
}

std::string XmlDocument::XmlText() const {
    std::ostringstream out;
    document_->dom.save(out, "", pugi::format_raw | pugi::format_no_declaration,
                        pugi::encoding_utf8);
    return out.str();
}

} // namespace orbisk
