#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>

namespace vantrel {

std::string FileWriteResult::description() const {
    if (error == kNotRegularFile) return "not a regular file";
    return error == 0 ? std::string() : std::strerror(error);
}

AtomicFile::~AtomicFile() { discard(); }

void AtomicFile::fail(int error) {
    if (error_ == 0) error_ = error != 0 ? error : EIO;
}

FileWriteResult AtomicFile::commit() {
    flush();
    if (error_ == 0) {
        if (const int error = replaceTarget()) fail(error);
    }
    flushed_ = false;
    if (error_ != 0) {
        discard();
        return {error_};
    }
    temporary_.clear();
    afterReplace();
    return {};
}

FileWriteResult writeFileAtomically(const std::string& path, const void* data, std::size_t size) {
    AtomicFile file(path);
    file.write(data, size);
    return file.commit();
}

FileWriteResult writeFileAtomically(const std::string& path, std::string_view bytes) {
    return writeFileAtomically(path, bytes.data(), bytes.size());
}

}  // namespace vantrel
