// Fixed-size records that are files or wire formats, kept as little-endian bytes. Every read and
// write names its offset and is checked against the record's bounds: a field that would reach past
// the end throws ByteImageError instead of touching memory outside the record, and the command
// that asked for it ends with the model put back.
#pragma once

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "model/core/CommandError.h"

namespace kestrion {

class ByteImageError : public CommandError {
public:
    using CommandError::CommandError;
};

namespace byteimage {

inline void checkBounds(std::size_t imageSize, std::size_t offset, std::size_t width) {
    if (offset > imageSize || imageSize - offset < width)
        throw ByteImageError("byte image: " + std::to_string(width) + " bytes at " + std::to_string(offset) +
                             " reach past its " + std::to_string(imageSize) + " bytes");
}

// An unsigned field of sizeof(T) bytes, lowest byte first.
template <std::unsigned_integral T>
T get(std::span<const std::uint8_t> image, std::size_t offset) {
    checkBounds(image.size(), offset, sizeof(T));
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        value = static_cast<T>(value | T{image[offset + i]} << (8 * i));
    return value;
}

template <std::unsigned_integral T>
void put(std::span<std::uint8_t> image, std::size_t offset, T value) {
    checkBounds(image.size(), offset, sizeof(T));
    for (std::size_t i = 0; i < sizeof(T); ++i)
        image[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::uint8_t getU8(std::span<const std::uint8_t> image, std::size_t offset) {
    return get<std::uint8_t>(image, offset);
}
inline std::uint16_t getU16(std::span<const std::uint8_t> image, std::size_t offset) {
    return get<std::uint16_t>(image, offset);
}
inline std::uint32_t getU32(std::span<const std::uint8_t> image, std::size_t offset) {
    return get<std::uint32_t>(image, offset);
}
inline std::uint64_t getU64(std::span<const std::uint8_t> image, std::size_t offset) {
    return get<std::uint64_t>(image, offset);
}
inline void putU8(std::span<std::uint8_t> image, std::size_t offset, std::uint8_t value) {
    put<std::uint8_t>(image, offset, value);
}
inline void putU16(std::span<std::uint8_t> image, std::size_t offset, std::uint16_t value) {
    put<std::uint16_t>(image, offset, value);
}
inline void putU32(std::span<std::uint8_t> image, std::size_t offset, std::uint32_t value) {
    put<std::uint32_t>(image, offset, value);
}
inline void putU64(std::span<std::uint8_t> image, std::size_t offset, std::uint64_t value) {
    put<std::uint64_t>(image, offset, value);
}

// Raw bytes and fixed-size text fields (character arrays kept byte for byte, NULs included).
template <class Byte>
requires(sizeof(Byte) == 1) void putBytes(std::span<std::uint8_t> image, std::size_t offset,
                                          std::span<const Byte> field) {
    checkBounds(image.size(), offset, field.size());
    std::transform(field.begin(), field.end(), image.begin() + static_cast<std::ptrdiff_t>(offset),
                   [](Byte b) { return static_cast<std::uint8_t>(b); });
}

template <class Byte>
requires(sizeof(Byte) == 1) void getBytes(std::span<const std::uint8_t> image, std::size_t offset,
                                          std::span<Byte> field) {
    checkBounds(image.size(), offset, field.size());
    const auto first = image.begin() + static_cast<std::ptrdiff_t>(offset);
    std::transform(first, first + static_cast<std::ptrdiff_t>(field.size()), field.begin(),
                   [](std::uint8_t b) { return static_cast<Byte>(b); });
}

template <class Container>
void putField(std::span<std::uint8_t> image, std::size_t offset, const Container& field) {
    putBytes(image, offset, std::span<const typename Container::value_type>(field));
}

template <class Container>
void getField(std::span<const std::uint8_t> image, std::size_t offset, Container& field) {
    getBytes(image, offset, std::span<typename Container::value_type>(field));
}

}  // namespace byteimage
}  // namespace kestrion
