#include "undo/EditCommand.h"

namespace vantrel {

std::size_t EditCommand::bytes() const {
    std::size_t total = sizeof(EditCommand) + name.capacity() + fields.capacity() * sizeof(FieldChange) +
                        splices.capacity() * sizeof(TextSplice);
    for (const TextSplice& splice : splices) total += splice.removed.capacity() + splice.inserted.capacity();
    return total;
}

}  // namespace vantrel
