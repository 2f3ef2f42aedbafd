// Loading the database ahead on a worker thread.
#include "library/core/DatabasePreparation.h"

#include <system_error>
#include <utility>

namespace library {

PreparedDatabase PrepareDatabase(const std::string& path, const IndexFillOptions& options) {
  PreparedDatabase prepared;
  prepared.options = options;
  prepared.result = LoadXmlFile(path, prepared.document);
  if (prepared.result != XmlLoadResult::Parsed || prepared.document.errorCode != 0 ||
      !prepared.document.HasRoot()) {
    return prepared;
  }
  prepared.fill = BuildIndex(prepared.document, options);
  return prepared;
}

DatabasePreparation::DatabasePreparation(std::string path, IndexFillOptions options)
    : path_(std::move(path)), options_(std::move(options)) {
  if (path_.empty()) return;
  try {
    // std::async's future waits for the worker when destroyed, so no thread
    // outlives this object. The worker reads only its own copies.
    result_ = std::async(std::launch::async, [path = path_, options = options_] {
      return PrepareDatabase(path, options);
    });
  } catch (const std::system_error&) {
    // No thread to be had: Take loads on the calling thread instead.
  }
}

PreparedDatabase DatabasePreparation::Take() {
  if (result_.valid()) return result_.get();
  if (path_.empty()) return PreparedDatabase{};
  return PrepareDatabase(path_, options_);
}

}  // namespace library
