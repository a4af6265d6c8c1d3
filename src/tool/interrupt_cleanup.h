#pragma once

namespace nitka {

// Makes SIGINT, SIGTERM and SIGHUP take away the temporary files of a write
// under way before they end the tool as they would have: most such files have
// no name to leave behind, but where the file system gives them one, the
// handler removes it (see storage/pending_files.h).
void removeTemporaryFilesOnInterrupt();

}  // namespace nitka
