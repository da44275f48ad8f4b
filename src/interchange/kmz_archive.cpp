// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/kmz_archive.h"

#include "common/text.h"
#include "common/user_text.h"
#include "interchange/imported_places.h"

#include <memory>
#include <zip.h>

namespace orbisk {
namespace {

// More entries than this are no map someone sent; listing them costs time.
constexpr zip_int64_t kMaxEntries = 10000;

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

bool EndsWithKml(const std::string& name) {
    return name.size() >= 4 && Lower(name.substr(name.size() - 4)) == ".kml";
}

zip_int64_t KmlEntry(zip_t* archive) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count > kMaxEntries)
        throw ExchangeError(Arg(Tr("Import", "the KMZ archive holds more than %1 files"),
                                {std::to_string(kMaxEntries)}));
    zip_int64_t first = -1;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (!name || !EndsWithKml(name))
            continue;
        if (std::string(name) == "doc.kml")
            return i;
        if (first < 0)
            first = i;
    }
    if (first < 0)
        throw ExchangeError(Tr("Import", "the KMZ archive holds no KML document"));
    return first;
}

std::string SourceBytes(zip_source_t* source) {
    std::string bytes;
    if (zip_source_open(source) != 0)
        return bytes;
    char buffer[65536];
    for (zip_int64_t got; (got = zip_source_read(source, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<size_t>(got));
    zip_source_close(source);
    return bytes;
}

} // namespace

std::string UnpackKmz(const std::string& bytes, size_t maxBytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    Archive archive(source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr);
    if (!archive) {
        if (source)
            zip_source_free(source);
        const std::string why = zip_error_strerror(&error);
        zip_error_fini(&error);
        throw ExchangeError(Arg(Tr("Import", "not a KMZ archive: %1"), {why}));
    }
    zip_error_fini(&error);
    const auto index = static_cast<zip_uint64_t>(KmlEntry(archive.get()));
    std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen_index(archive.get(), index, 0));
    if (!entry)
        throw ExchangeError(Arg(Tr("Import", "the KML in the KMZ archive cannot be read: %1"),
                                {zip_strerror(archive.get())}));
    // The size the archive states may lie; only the bytes that come out count.
    std::string kml;
    char buffer[65536];
    zip_int64_t got = 0;
    while ((got = zip_fread(entry.get(), buffer, sizeof buffer)) > 0) {
        kml.append(buffer, static_cast<size_t>(got));
        if (kml.size() > maxBytes)
            throw ExchangeError(
                Arg(Tr("Import", "the KML in the KMZ archive unpacks to more than %1 MB"),
                    {std::to_string(maxBytes / (1024 * 1024))}));
    }
    if (got < 0)
        throw ExchangeError(
            Arg(Tr("Import", "the KMZ archive is damaged: %1"), {zip_file_strerror(entry.get())}));
    return kml;
}

std::string PackKmz(const std::string& kml) {
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, nullptr);
    if (!target)
        throw ExchangeError(Tr("Import", "the KMZ archive could not be made"));
    // The archive releases its hold on close; ours keeps the bytes readable.
    zip_source_keep(target);
    std::string bytes;
    if (zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, nullptr)) {
        zip_source_t* document = zip_source_buffer_create(kml.data(), kml.size(), 0, nullptr);
        const bool added =
            document && zip_file_add(archive, "doc.kml", document, ZIP_FL_ENC_UTF_8) >= 0;
        if (!added && document)
            zip_source_free(document);
        if (!added || zip_close(archive) != 0)
            zip_discard(archive);
        else
            bytes = SourceBytes(target);
    } else {
        zip_source_free(target);
    }
    zip_source_free(target);
    if (bytes.empty())
        throw ExchangeError(Tr("Import", "the KMZ archive could not be made"));
    return bytes;
}

} // namespace orbisk
