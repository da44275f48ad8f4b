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

} // namespace

XmlDocument::XmlDocument() : document_(std::make_shared<pugi::xml_document>()) {}

void XmlDocument::Create() {
    document_ = std::make_shared<pugi::xml_document>();
}

bool XmlDocument::LoadXml(const std::string& text) {
    // Nodes handed out earlier keep the old document alive; they do not see the new one.
    document_ = std::make_shared<pugi::xml_document>();
    const pugi::xml_parse_result result =
        document_->load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_auto);
    if (result.status == pugi::status_ok && CountElementChildren(*document_) == 1)
        return true;
    document_->reset();
    return false;
}

XmlNode XmlDocument::Root() const {
    const pugi::xml_node root = document_->document_element();
    if (!root)
        return {};
    return XmlNode(document_, root);
}

XmlNode XmlDocument::CreateRoot(const std::string& name) {
    if (document_->document_element())
        throw XmlError(XmlError::kFail);
    XmlNode document(document_, *document_);
    return document.InsertChildElement(name, document.ChildCount());
}

std::string XmlDocument::XmlText() const {
    std::ostringstream out;
    document_->save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return out.str();
}

} // namespace orbisk
