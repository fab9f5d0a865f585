#pragma once

#include "data/ImageFields.h"

namespace vantrel::cli {

// The fields in which two settings images differ, as diff prints them: one
// "name: value in A -> value in B" line each in their units, then the number
// of reserved bytes that differ.
void printImageDifference(const ImageDifference& difference);

}  // namespace vantrel::cli
