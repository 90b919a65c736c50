#include "model/image/FileExtensions.h"

#include <algorithm>

namespace kestrion {

namespace {

bool setFileExt(std::array<char, kFileNameSize>& path, std::string_view ext) {
    const auto end = std::find(path.begin(), path.end(), '\0');
    const std::string renamed =
        withFileExt(std::string_view(path.data(), static_cast<std::size_t>(end - path.begin())), ext);
    if (renamed.size() >= kFileNameSize) return false;
    path.fill('\0');
    std::copy(renamed.begin(), renamed.end(), path.begin());
    return true;
}

}  // namespace

std::string withFileExt(std::string_view path, std::string_view ext) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    std::size_t dot = path.find('.', nameStart + 1);
    if (dot == std::string_view::npos) dot = path.size();
    std::string renamed(path.substr(0, dot));
    renamed += '.';
    renamed += ext;
    return renamed;
}

bool setFileExtPmw(std::array<char, kFileNameSize>& path) {
    return setFileExt(path, "PMW");
}
bool setFileExtDmw(std::array<char, kFileNameSize>& path) {
    return setFileExt(path, "DMW");
}
bool setFileExtPtw(std::array<char, kFileNameSize>& path) {
    return setFileExt(path, "PTW");
}
bool setFileExtEdm(std::array<char, kFileNameSize>& path) {
    return setFileExt(path, "EDM");
}
bool setFileExtCow(std::array<char, kFileNameSize>& path) {
    return setFileExt(path, "COW");
}
bool setFileExtDcn(std::array<char, kFileNameSize>& path) {
    return setFileExt(path, "DCN");
}

}  // namespace kestrion
