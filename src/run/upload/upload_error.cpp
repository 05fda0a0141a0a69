#include "run/upload/upload_error.h"

namespace zur::upload {

const char* CannotGenerateMessage(UploadFileKind kind) {
  return kind == UploadFileKind::kZur
             ? "ERROR: cannot generate ZUR BATCH INPUT text file ! Please check and re-try"
             : "ERROR: cannot generate STI BATCH INPUT text file ! Please check and re-try";
}

}  // namespace zur::upload
