// The update check's version file as the server sends it: cleaned, read,
// compared and worded into the three result texts.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "dialogs/core/VersionFile.h"
#include "toolkit/core/TextEncoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string body = toolkit::ValidUtf8(fuzz::Bytes(data, size));
  const std::optional<dialogs::ServerVersions> server = dialogs::ReadVersionFile(body);
  if (!server) return 0;
  FUZZ_CHECK(fuzz::IsValidUtf8(server->programVersion));
  FUZZ_CHECK(fuzz::IsValidUtf8(server->libraryDate));
  FUZZ_CHECK(server->programVersion.find('\n') == std::string::npos);

  for (const std::string_view local : {"0.25.37", "", "2026-11-28"}) {
    // A version is never newer than itself.
    FUZZ_CHECK(!dialogs::HasNewerPart(server->programVersion, server->programVersion));
    dialogs::HasNewerPart(local, server->programVersion);
    dialogs::HasNewerPart(server->programVersion, local);
    const dialogs::UpdateResults results = dialogs::DescribeUpdates(local, local, *server);
    FUZZ_CHECK(fuzz::IsValidUtf8(results.gtk2));
    FUZZ_CHECK(fuzz::IsValidUtf8(results.gtk3));
    FUZZ_CHECK(fuzz::IsValidUtf8(results.library));
    FUZZ_CHECK(results.gtk3.starts_with("yes:  ") || results.gtk3.starts_with("no:  "));
    FUZZ_CHECK(results.library.starts_with("yes:  ") || results.library.starts_with("no:  "));
  }
  const std::int64_t date = dialogs::LibraryDateValue(server->libraryDate);
  FUZZ_CHECK(date >= -1);
  return 0;
}
