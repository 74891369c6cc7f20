// A per-user settings key in place of a registry key: the values of one program live in
// <config home>/<name>/settings.ini, one "name=value" line each. Every change rewrites the
// file through a temporary file and a rename, so a crash never leaves it half written.
#pragma once

#include <map>
#include <optional>

#include "lumoui/base/cstring.h"

class SettingsKey {
public:
    enum class OpenResult { Opened, Missing, Failed };

    // The file that holds the key of the given name.
    static CString PathOf(const CString& keyName);

    // Opens an existing key for reading and writing and loads its values.
    OpenResult Open(const CString& keyName);
    // Creates the key (its folder and an empty file) when it does not exist, then opens it.
    bool Create(const CString& keyName);

    bool IsOpen() const { return open_; }

    // The text of a value; names match without regard to case. None when absent.
    std::optional<CString> QueryValue(const CString& name) const;
    // Stores a value and rewrites the file. False when the key is not open or the file cannot
    // be replaced; the stored values are then unchanged.
    bool SetValue(const CString& name, const CString& text);

private:
    struct NoCaseLess {
        bool operator()(const CString& a, const CString& b) const;
    };

    bool Save(const std::map<CString, CString, NoCaseLess>& values) const;

    bool open_ = false;
    CString path_;
    std::map<CString, CString, NoCaseLess> values_;
};
