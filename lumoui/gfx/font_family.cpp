#include "lumoui/gfx/font_family.h"

#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "lumoui/gfx/cairo_handles.h"
#include "lumoui/gfx/text_engine.h"

namespace LumoUI {

namespace {

// Font registration and look-up go through fontconfig one at a time.
std::mutex& FontConfigMutex() {
    static std::mutex mutex;
    return mutex;
}

// Registered files (by canonical path) and the family each gave.
std::map<std::string, CString>& RegisteredFiles() {
    static std::map<std::string, CString> files;
    return files;
}

std::string CanonicalPath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

std::string PatternString(FcPattern* pattern, const char* object, int index) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, index, &value) != FcResultMatch || value == nullptr) {
        return {};
    }
    return reinterpret_cast<const char*>(value);
}

// The family names of the first face of `file` among the registered fonts.
std::vector<std::string> FamiliesOfFile(FcConfig* config, const std::string& file) {
    std::vector<std::string> families;
    FcFontSet* set = FcConfigGetFonts(config, FcSetApplication);
    for (int i = 0; set != nullptr && i < set->nfont && families.empty(); ++i) {
        FcPattern* face = set->fonts[i];
        int index = 0;
        FcPatternGetInteger(face, FC_INDEX, 0, &index);
        if (index != 0 || PatternString(face, FC_FILE, 0) != file) {
            continue;
        }
        for (int n = 0;; ++n) {
            std::string family = PatternString(face, FC_FAMILY, n);
            if (family.empty()) {
                break;
            }
            families.push_back(std::move(family));
        }
    }
    return families;
}

// A face can carry several family names (a typographic one shared with its siblings and a
// legacy one of its own). The chosen name is the first one that, asked for in the regular
// style, selects this very file, so text drawn by it shows this face.
std::string FamilySelectingFile(FcConfig* config, const std::vector<std::string>& families,
                                const std::string& file) {
    for (const std::string& family : families) {
        gfx::FcPatternPtr pattern(FcPatternCreate());
        FcPatternAddString(pattern.get(), FC_FAMILY,
                           reinterpret_cast<const FcChar8*>(family.c_str()));
        FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
        FcDefaultSubstitute(pattern.get());
        FcResult result = FcResultNoMatch;
        gfx::FcPatternPtr match(FcFontMatch(config, pattern.get(), &result));
        if (match && PatternString(match.get(), FC_FILE, 0) == file) {
            return family;
        }
    }
    return families.front();
}

}  // namespace

std::optional<FontFamily> FontFamily::FromFile(const CString& path) {
    struct stat info {};
    const std::string given = WideToUtf8(path);
    if (given.empty() || stat(given.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    const std::string file = CanonicalPath(given);
    std::lock_guard lock(FontConfigMutex());
    auto& registered = RegisteredFiles();
    if (auto it = registered.find(file); it != registered.end()) {
        return FontFamily(it->second);
    }
    FcConfig* config = FcConfigGetCurrent();
    if (config == nullptr ||
        !FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(file.c_str()))) {
        return std::nullopt;
    }
    const std::vector<std::string> families = FamiliesOfFile(config, file);
    if (families.empty()) {
        return std::nullopt;
    }
    CString name = Utf8ToWide(FamilySelectingFile(config, families, file));
    registered.emplace(file, name);
    gfx::NoteFontsChanged();
    return FontFamily(std::move(name));
}

std::optional<FontFamily> FontFamily::Installed(const CString& name) {
    if (name.empty()) {
        return std::nullopt;
    }
    const std::string family = WideToUtf8(name);
    std::lock_guard lock(FontConfigMutex());
    gfx::FcPatternPtr pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    gfx::FcObjectSetPtr objects(FcObjectSetBuild(FC_FAMILY, nullptr));
    gfx::FcFontSetPtr fonts(FcFontList(FcConfigGetCurrent(), pattern.get(), objects.get()));
    if (!fonts || fonts->nfont == 0) {
        return std::nullopt;
    }
    return FontFamily(name);
}

}  // namespace LumoUI
