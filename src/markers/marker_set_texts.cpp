// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers/marker_set_texts.h"

#include "common/text.h"
#include "common/user_text.h"
#include "protocol/fixed_strings.h"

namespace orbisk {

std::string ReplaceUnsavedQuestion() {
    return Tr("MarkerSet",
              "You have unsaved marker(s) in your current marker set.\nYou can save them before "
              "you load new marker set.\n\nDo you want to load new marker set now and ignore the "
              "unsaved marker(s)?");
}

std::string OutOfScreenQuestion(int total, int outside) {
    const std::string tail =
        Tr("MarkerSet", "currently out of your screen.\nYou can edit your marker set or change "
                        "your screen zoom level before you save.\n\nDo you want save now?");
    if (total <= 1)
        return Tr("MarkerSet", "In current marker set, there is 1 marker in total. It is ") + tail;
    const std::string count = std::to_string(total);
    const std::string off = std::to_string(outside);
    return Arg(outside <= 1
                   ? Tr("MarkerSet", "In current marker set, there are %1 markers in total. %2 of "
                                     "them is ")
                   : Tr("MarkerSet", "In current marker set, there are %1 markers in total. %2 of "
                                     "them are "),
               {count, off}) +
           tail;
}

std::string SendInformationText(bool written, const std::string& path) {
    const std::string text =
        written ? Arg(Tr("MarkerSet", "Current marker set information has been saved to\n%1\n\n"),
                      {path})
                : "";
    return text + Tr("MarkerSet",
                     "You default mail application will be launched for you to send marker sets.  "
                     "\n\nFor some of the email applications, you may have to manually attach "
                     "the  \nabove file or other saved marker set files to your email message.");
}

std::string SendMailLink(const std::string& title, const FixedStrings& strings) {
    return "mailto:?subject=" + urlEscape(title + " for Orbisk") + "&body=" +
           urlEscape(strings.At(FixedStrings::AttachmentNote) +
                     strings.At(FixedStrings::DownloadPage));
}

} // namespace orbisk
