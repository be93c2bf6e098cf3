#pragma once
// Messages of the graphics classes, in French like the rest of the class
// library's own texts. Those ending in ": " take their subject after them.

inline constexpr const char SNoCanvasHandle[] = "Le canevas ne permet pas de dessiner";
inline constexpr const char SInvalidBitmap[] = "L'image bitmap n'est pas valide";
inline constexpr const char SInvalidJpeg[] = "L'image JPEG n'est pas valide";
inline constexpr const char SJpegEmpty[] = "Impossible de compresser une image vide";
inline constexpr const char SJpegQuality[] = "La qualité de compression doit être comprise entre 1 et 100";
inline constexpr const char SImageTooLarge[] = "Image trop grande";
inline constexpr const char SUnknownExtension[] = "Extension de fichier image inconnue : ";
inline constexpr const char SUnknownGraphicClass[] = "Classe d'image inconnue : ";
inline constexpr const char SInvalidPictureData[] = "Les données de l'image ne sont pas valides";
inline constexpr const char SResourceNotFound[] = "Ressource introuvable : ";
inline constexpr const char SInvalidColor[] = "Couleur non valide : ";
inline constexpr const char SJpegResize[] = "Impossible de changer la taille d'une image JPEG";
