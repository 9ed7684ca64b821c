#pragma once
// The five fixed pictures, read once into window1 and served from memory with a header
// block that lets browsers cache them for a day; and the header block of the album art,
// which must never be cached.
#include <QByteArray>
#include <QString>

// Reads "ilogo.gif", "eclairs.jpg", "middle.png", "middle_bar.png" and "title.png" from
// the resources' images folder into window1.slogo, image1, image2, image3 and image6.
// A picture that cannot be read is logged and ends the loading: it and the pictures
// after it stay empty.
void LoadImages();

namespace pages {

// The whole response for one of the five picture names: header block (and the matching
// window1.strGifHeader, strJpgHeader or strPngHeader) followed by the picture's bytes.
// Empty for any other name.
QByteArray imageResponse(const QString& name);

// The header block of the album art for contentType "image/jpeg" or "image/png" and
// byteCount bytes; also kept in window1.strJpgHeader or strPngHeader.
QByteArray albumArtHeader(const QString& contentType, qint64 byteCount);

}  // namespace pages
