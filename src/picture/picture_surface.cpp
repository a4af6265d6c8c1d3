#include "picture/picture_surface.h"

namespace nitka {

void clearPicture(PictureSurface& picture) {
    picture.setBrushColour(Colour::Background);
    picture.rectangle(0, 0, 2000, 2000);
}

}  // namespace nitka
