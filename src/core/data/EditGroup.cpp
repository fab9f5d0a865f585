#include "data/EditGroup.h"

#include <utility>

namespace vantrel {

EditGroup::EditGroup(EditRecorder* recorder, std::string name, const EditPlace& place) : recorder_(recorder) {
    if (recorder_) recorder_->beginEdit(std::move(name), place);
}

EditGroup::~EditGroup() {
    if (recorder_) recorder_->endEdit();
}

void EditGroup::rename(std::string name) {
    if (recorder_) recorder_->renameEdit(std::move(name));
}

}  // namespace vantrel
