#include "platform/web/picture_files.h"

#include "core/picture_check.h"

bool decodePicture(const std::string& path, DecodedPicture& picture, std::string& error)
{
    const bool jpeg = expectedFormat(path.c_str()) == PictureFormat::Jpeg;
    return decodeStbPicture(jpeg ? losslessJpegPath(path) : path, picture, error);
}
