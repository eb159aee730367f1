#include "ReplaceFile.h"

#include <unistd.h>

#include "Commands.h"
#include "Exceptions.h"
#include "ReplacingFile.h"

void ReplaceFileWith(const std::string &AName, const std::string &ABytes) {
  About(AName, [&] {
    TReplacingFile File(AName);
    std::size_t Done = 0;
    while (Done < ABytes.size()) {
      const ssize_t Count = ::write(File.Handle(), ABytes.data() + Done, ABytes.size() - Done);
      if (Count <= 0)
        throw EWriteError("Stream write error");
      Done += static_cast<std::size_t>(Count);
    }
    File.Commit();
  });
}
