#include "ImageDiffOutput.h"

#include "CliOutput.h"

namespace vantrel::cli {

void printImageDifference(const ImageDifference& difference) {
    for (const auto& [a, b] : difference.fields) out() << a.name << ": " << text(a.text) << " -> " << text(b.text) << "\n";
    if (difference.reservedBytes) out() << "reserved bytes differing: " << difference.reservedBytes << "\n";
}

}  // namespace vantrel::cli
