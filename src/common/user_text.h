// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace orbisk {

// What the core writes for people passes through Tr(). The window installs a
// translation; the tools, the logs and everything sent over the wire keep the
// English source, which is also what Tr() gives when none is installed.
// The arguments are those of QCoreApplication::translate, so the translation
// tools find the texts (lupdate -tr-function-alias translate+=Tr).
// Marks a text that is kept, not shown, for the translation tools (lupdate
// -tr-function-alias QT_TRANSLATE_NOOP+=ORBISK_NOOP); Tr() with the same
// context translates it where it is shown.
#define ORBISK_NOOP(context, text) text
// The same for a text with "%n", translated with its count (QT_TRANSLATE_N_NOOP).
#define ORBISK_N_NOOP(context, text) text

using TranslateFunction = std::string (*)(const char* context, const char* source,
                                          const char* disambiguation, int n);
void InstallTranslation(TranslateFunction translate);

std::string Tr(const char* context, const char* source, const char* disambiguation = nullptr,
               int n = -1);

// A number the core shows, written with a point, in the user's decimal
// separator once the window has installed it (a comma in French).
void InstallDecimalSeparator(char separator);
std::string LocaleNumber(std::string pointText);

// The English text of `source` for the count `n`: "%n" becomes the count, and
// "(s)" an "s" unless the count is one.
std::string EnglishPlural(std::string_view source, int n);

// "%1" to "%9" in `pattern` replaced by the arguments in that order, as
// QString::arg does; a number with no argument stays as it is.
std::string Arg(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace orbisk
