#include "platform/cabinet.hpp"

#include <mspack.h>

namespace pemu::platform {

struct Cabinet::Handles {
    mscab_decompressor* decompressor = nullptr;
    mscabd_cabinet* cabinet = nullptr;
    std::vector<mscabd_file*> files;
};

namespace {

// libmspack's meaning of one of its error codes, in English ("bad or corrupt file format").
std::string CabinetErrorText(int code) {
    switch (code) {
        case MSPACK_ERR_OK:
            return "no error";
        case MSPACK_ERR_ARGS:
            return "bad arguments to method";
        case MSPACK_ERR_OPEN:
            return "error opening file";
        case MSPACK_ERR_READ:
            return "error reading file";
        case MSPACK_ERR_WRITE:
            return "error writing file";
        case MSPACK_ERR_SEEK:
            return "seek error";
        case MSPACK_ERR_NOMEMORY:
            return "out of memory";
        case MSPACK_ERR_SIGNATURE:
            return "bad \"magic id\" in file (not a cabinet)";
        case MSPACK_ERR_DATAFORMAT:
            return "bad or corrupt file format";
        case MSPACK_ERR_CHECKSUM:
            return "bad checksum or CRC";
        case MSPACK_ERR_DECRUNCH:
            return "error during decompression";
        default:
            return "libmspack error " + std::to_string(code);
    }
}

}  // namespace

Cabinet::Cabinet(const std::string& path) : handles_(std::make_unique<Handles>()) {
    int selftest = MSPACK_ERR_OK;
    MSPACK_SYS_SELFTEST(selftest);
    if (selftest != MSPACK_ERR_OK) {
        error_ = CabinetErrorText(selftest);
        return;
    }
    handles_->decompressor = mspack_create_cab_decompressor(nullptr);
    if (!handles_->decompressor) {
        error_ = CabinetErrorText(MSPACK_ERR_NOMEMORY);
        return;
    }
    mscab_decompressor* d = handles_->decompressor;
    handles_->cabinet = d->open(d, path.c_str());
    if (!handles_->cabinet) {
        const int code = d->last_error(d);
        error_ = CabinetErrorText(code == MSPACK_ERR_OK ? MSPACK_ERR_DATAFORMAT : code);
        return;
    }
    for (mscabd_file* f = handles_->cabinet->files; f; f = f->next) {
        handles_->files.push_back(f);
        files_.push_back(
            {f->filename ? f->filename : "", (f->attribs & MSCAB_ATTRIB_UTF_NAME) != 0, f->length});
    }
}

Cabinet::~Cabinet() {
    if (!handles_ || !handles_->decompressor) return;
    if (handles_->cabinet) handles_->decompressor->close(handles_->decompressor, handles_->cabinet);
    mspack_destroy_cab_decompressor(handles_->decompressor);
}

std::string Cabinet::Extract(const std::vector<std::string>& targets) {
    if (!ok() || targets.size() > handles_->files.size()) return CabinetErrorText(MSPACK_ERR_ARGS);
    mscab_decompressor* d = handles_->decompressor;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (targets[i].empty()) continue;
        const int code = d->extract(d, handles_->files[i], targets[i].c_str());
        if (code != MSPACK_ERR_OK) return CabinetErrorText(code);
    }
    return "";
}

}  // namespace pemu::platform
