// SPDX-License-Identifier: GPL-3.0-or-later
#include "definition_service.h"

#include "common/atomic_file.h"
#include "common/leading_number.h"
#include "common/own_server_address.h"
#include "protocol/parameter_codec.h"
#include "xml/xml_document.h"

namespace orbisk::server {
namespace {

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

bool DefinitionService::Load(const std::filesystem::path& mapXml, const std::string& host,
                             int versionOverride, std::string& error) {
    std::string text;
    if (!ReadWholeFile(mapXml, 1 << 20, text)) {
        error = "cannot read " + mapXml.string();
        return false;
    }
    ReplaceAll(text, kBuiltInServerHost, host);
    XmlDocument document;
    if (!document.LoadXml(text)) {
        error = mapXml.string() + ": " + document.Error();
        return false;
    }
    XmlNode setting = document.Root().SelectSingle("GeoCoderSetting");
    if (versionOverride >= 0 && !setting.IsNull()) {
        setting.SetAttributeInt("Ver", versionOverride);
        text = document.XmlText();
    }
    version_ = setting.IsNull() ? -1 : LeadingInteger(setting.Attribute("Ver"));
    xml_ = text;
    if (!ParameterCodec().Encode(text, encoded_)) {
        error = mapXml.string() + " cannot be encoded (larger than 64 KiB?)";
        return false;
    }
    return true;
}

} // namespace orbisk::server
