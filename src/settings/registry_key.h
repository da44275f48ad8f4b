// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct sqlite3;

namespace orbisk {

enum class RegistryRoot { CurrentUser };

// One value as enumeration reads it: the data as text up to its first zero byte.
struct RegistryValue {
    std::string name;
    std::string data;
};

enum class RegistryStatus { Success, NoMoreItems, MoreData, Failed };

// The per-user key/value store: one SQLite file, $XDG_CONFIG_HOME/orbisk/
// registry.sqlite3 by default. Keys are backslash-separated paths compared
// without regard to ASCII case; values keep their write order. A key object is
// opened for one operation and closed at its end. Every operation is its own
// transaction unless the object holds one started with BeginTransaction.
class RegistryKey {
public:
    static constexpr size_t kMaxStringChars = 255;
    static constexpr size_t kMaxEnumNameChars = 255;
    static constexpr size_t kMaxEnumDataBytes = 511;

    explicit RegistryKey(std::filesystem::path storeFile = DefaultStoreFile());
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // $XDG_CONFIG_HOME/orbisk/registry.sqlite3, else ~/.config/orbisk/...
    static std::filesystem::path DefaultStoreFile();
    // Opens the store only to read it, also where its folder cannot be
    // written (a read-only home), which keeps SQLite from making the files
    // its journal needs; false when that fails too.
    static bool OpenForReading(const std::filesystem::path& storeFile, sqlite3** db);

    bool Open(RegistryRoot root, const std::string& path);
    // Creates the key and any missing parent keys, or opens it when it exists.
    bool Create(RegistryRoot root, const std::string& path);
    bool IsOpen() const { return !keyPath_.empty(); }

    bool WriteString(const std::string& name, const std::string& text);
    bool WriteDword(const std::string& name, uint32_t value);
    bool ReadDword(const std::string& name, uint32_t& value);
    // Fails, with an empty text, when the value is missing or longer than 255 characters.
    bool ReadString(const std::string& name, std::string& text);
    // Stops at the first value whose name or data is too long, which ends with MoreData.
    RegistryStatus EnumerateValues(std::vector<RegistryValue>& values);
    // The same with other limits, for values that must be read whole.
    RegistryStatus EnumerateValues(std::vector<RegistryValue>& values, size_t maxNameBytes,
                                   size_t maxDataBytes);
    // Removes the key and its values; a key with subkeys, or none, is not deleted.
    bool DeleteKey(RegistryRoot root, const std::string& path);

    // Groups the following operations of this object into one transaction,
    // which waits for another process's transaction to end. Close without
    // Commit rolls everything back.
    bool BeginTransaction();
    bool CommitTransaction();

    void Close();

private:
    bool Connect(bool mayCreate);
    bool ReadValue(const std::string& name, int& type, std::string& data);
    bool KeyExists(const std::string& path);

    std::filesystem::path storeFile_;
    sqlite3* db_ = nullptr;
    std::string keyPath_;
    bool inTransaction_ = false;
};

// Replaces every value of the key at `path` with `values`, in order, as one
// transaction: a crash or a second program never leaves the key half written.
bool RewriteKey(const std::filesystem::path& storeFile, RegistryRoot root, const std::string& path,
                const std::vector<RegistryValue>& values);

// The same, with the new values made from the key's values as they are inside
// the transaction, so that nothing another program wrote in between is lost.
using ValuesFromStored =
    std::function<std::vector<RegistryValue>(const std::vector<RegistryValue>& stored)>;
bool RewriteKey(const std::filesystem::path& storeFile, RegistryRoot root, const std::string& path,
                size_t maxNameBytes, size_t maxDataBytes, const ValuesFromStored& compose);

} // namespace orbisk
