#ifndef GALLERYSTYLE_H
#define GALLERYSTYLE_H

#include <QString>

// The gallery's style sheet for the current zoom factor, made from the template
// resources/gallery.qss the way a host's skin manager would make it:
//   @px(N)   artwork length N in screen pixels, through CommonCtrls::SizeAdujstDpi
//   @img(N)  resource path of artwork N, its "@2x" file where the screen wants it
//   @art(N)  resource path of the plain file, for Qt's own image properties
QString galleryStyleSheet();
QString expandStyleTemplate(const QString &styleTemplate);

// An application-wide theme that styles Qt's own classes, as hosts set them: "dark" or
// "light" (resources/theme-*.qss); empty for none.
QString themeStyleSheet(const QString &theme);

// Resource path of artwork N, its "@2x" file where the screen wants it.
QString artworkPath(const QString &name);

#endif // GALLERYSTYLE_H
