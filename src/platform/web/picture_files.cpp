#include "platform/web/picture_files.h"

bool decodePicture(const std::string& path, DecodedPicture& picture, std::string& error)
{
    const bool jpeg = path.size() >= 4 && path.compare(path.size() - 4, 4, ".jpg") == 0;
    return decodeStbPicture(jpeg ? losslessJpegPath(path) : path, picture, error);
}
