// Reading the database file and turning it into index rows on a worker
// thread, so that start-up builds its windows meanwhile. Needs no
// display.
#pragma once

#include <future>
#include <optional>
#include <string>

#include "library/core/IndexFill.h"
#include "library/core/XmlDocument.h"
#include "library/core/XmlParsing.h"

namespace library {

struct PreparedDatabase {
  XmlLoadResult result = XmlLoadResult::CannotOpen;
  XmlDocument document;
  // The rows and entries, built only from a document that parsed without
  // error, with the options they were built for.
  std::optional<IndexFill> fill;
  IndexFillOptions options;
};

// Loads path and builds its index on the calling thread.
PreparedDatabase PrepareDatabase(const std::string& path, const IndexFillOptions& options);

// PrepareDatabase on a worker thread, started at construction. The worker
// touches nothing but its own result, so the caller may go on with anything
// else meanwhile. An empty path starts no worker and gives CannotOpen; when
// no thread can be started, Take does the work itself.
class DatabasePreparation {
 public:
  DatabasePreparation(std::string path, IndexFillOptions options);
  DatabasePreparation(const DatabasePreparation&) = delete;
  DatabasePreparation& operator=(const DatabasePreparation&) = delete;
  // Waits for a worker whose result was not taken.
  ~DatabasePreparation() = default;

  // The file being read.
  const std::string& Path() const { return path_; }

  // Waits for the worker and hands its result over; once only.
  PreparedDatabase Take();

 private:
  std::string path_;
  IndexFillOptions options_;
  std::future<PreparedDatabase> result_;
};

}  // namespace library
