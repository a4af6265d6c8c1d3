#include "storage/file_commands.h"

namespace nitka {

void Button5Click(const MazeState&) {}

void Button4Click(MazeState&, WindowControls&, PictureSurface&) {}

}  // namespace nitka
