#pragma once

#include <string>

#include "data/EditRecorder.h"

namespace vantrel {

// One undoable edit for as long as it lives: everything the work records in
// between (settings fields, program text) is undone and redone together. A
// null recorder makes it do nothing.
class EditGroup {
public:
    EditGroup(EditRecorder* recorder, std::string name, const EditPlace& place = {});
    ~EditGroup();
    EditGroup(const EditGroup&) = delete;
    EditGroup& operator=(const EditGroup&) = delete;

    void rename(std::string name);

private:
    EditRecorder* recorder_;
};

}  // namespace vantrel
