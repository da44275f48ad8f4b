// SPDX-License-Identifier: GPL-3.0-or-later
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
    // Elements nested deeper than this are refused: every walk over a
    // document must stay far from the end of the stack.
    static constexpr size_t kMaxDepth = 256;

    // True only when the whole text parsed as one well-formed document no
    // deeper than kMaxDepth. On failure the document is empty and Error()
    // says why. Parse errors never throw.
    bool LoadXml(const std::string& text);
    // Why the last LoadXml failed, in plain words; empty after a success.
    const std::string& Error() const { return error_; }
    // The document element, or a null node.
    XmlNode Root() const;
    // Appends the document element; throws XmlError when there already is one.
    XmlNode CreateRoot(const std::string& name);
    std::string XmlText() const;

private:
    std::shared_ptr<XmlDocumentState> document_;
    std::string error_;
};

} // namespace orbisk
