#pragma once

// Every named field of the settings image as readable text: a stable dotted
// name, where it lies, its raw value and its value in its unit. Used to show a
// settings file as text and to compare two of them field by field.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/SettingsImage.h"

namespace vantrel {

struct ImageField {
    std::string name;    // e.g. "axis2.resolution", "axis1.PT1001.position", "timer.T3"
    std::size_t offset;  // image offset of the field's first byte
    int size;            // bytes
    std::int64_t raw;    // the stored integer (bytes of an address as one big-endian number)
    std::string text;    // the value in its unit, as the editors show it
};

enum class PointSelection {
    SetOnly,  // positions that are set; network points of connected drivers only
    All,      // every position and every network point
};

// The fields in a fixed order. With PointSelection::All the list (names,
// offsets, sizes) is the same for every image, so two lists pair up by index.
std::vector<ImageField> describeImage(const SettingsImage& image, PointSelection points);

// Marks the bytes that belong to a named field; every other byte is reserved.
std::vector<bool> namedByteMask();

struct ReservedSummary {
    std::size_t bytes = 0;    // reserved bytes in the image
    std::size_t nonZero = 0;  // of them, how many hold a value other than 0
};
ReservedSummary summarizeReserved(const SettingsImage& image);

struct ImageDifference {
    std::vector<std::pair<ImageField, ImageField>> fields;  // (in a, in b)
    std::size_t reservedBytes = 0;                           // reserved bytes that differ
    bool empty() const { return fields.empty() && reservedBytes == 0; }
};
ImageDifference diffImages(const SettingsImage& a, const SettingsImage& b);

}  // namespace vantrel
