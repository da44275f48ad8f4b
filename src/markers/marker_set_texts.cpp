// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers/marker_set_texts.h"

#include "common/text.h"
#include "protocol/fixed_strings.h"

namespace orbisk {

const char* const kReplaceUnsavedQuestion =
    "You have unsaved marker(s) in your current marker set.\nYou can save them before you load "
    "new marker set.\n\nDo you want to load new marker set now and ignore the unsaved "
    "marker(s)?";

std::string OutOfScreenQuestion(int total, int outside) {
    std::string text = "In current marker set, there ";
    if (total <= 1)
        text += "is 1 marker in total. It";
    else
        text += "are " + std::to_string(total) + " markers in total. " + std::to_string(outside) +
                " of them";
    text += outside <= 1 ? " is " : " are ";
    return text + "currently out of your screen.\nYou can edit your marker set or change your "
                  "screen zoom level "
                  "before you save.\n\nDo you want save now?";
}

std::string SendInformationText(bool written, const std::string& path) {
    std::string text =
        written ? "Current marker set information has been saved to\n" + path + "\n\n" : "";
    return text + "You default mail application will be launched for you to send marker sets.  "
                  "\n\nFor some of the email applications, you may have to manually attach the  \n"
                  "above file or other saved marker set files to your email message.";
}

std::string SendMailLink(const std::string& title, const FixedStrings& strings) {
    return "mailto:?subject=" + urlEscape(title + " for Orbisk") + "&body=" +
           urlEscape(strings.At(FixedStrings::AttachmentNote) +
                     strings.At(FixedStrings::DownloadPage));
}

} // namespace orbisk
