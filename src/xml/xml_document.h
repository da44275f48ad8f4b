#pragma once

#include "xml/xml_node.h"

#include <memory>
#include <pugixml.hpp>
#include <string>

namespace orbisk {

// A whole XML document: parsed from text, walked and built through XmlNode,
// and serialised without declaration or indentation. Texts are UTF-8; no
// external entities are ever loaded.
class XmlDocument {
public:
    XmlDocument();

    // Drops any content: the document is empty again.
    void Create();
    // True only when the whole text parsed as one well-formed document. On
    // failure the document is empty. Parse errors never throw.
    bool LoadXml(const std::string& text);
    // The document element, or a null node.
    XmlNode Root() const;
    // Appends the document element; throws XmlError when there already is one.
    XmlNode CreateRoot(const std::string& name);
    std::string XmlText() const;

private:
    std::shared_ptr<XmlDocumentState> document_;
};

} // namespace orbisk
