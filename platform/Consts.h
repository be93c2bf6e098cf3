#pragma once
// The class library's own messages, in French. Those with %s / %d take
// their arguments through Format.

inline constexpr const char SInvalidInteger[] = "'%s' n'est pas une valeur entière correcte";
inline constexpr const char SIntegerOutOfRange[] = "'%s' dépasse l'intervalle des valeurs entières";
inline constexpr const char SInvalidFloat[] = "'%s' n'est pas une valeur à virgule flottante correcte";
inline constexpr const char SFloatOutOfRange[] = "'%s' dépasse l'intervalle des valeurs à virgule flottante";
inline constexpr const char SInvalidFormat[] = "Le format '%s' est incorrect ou ne convient pas à l'argument";
inline constexpr const char SArgumentMissing[] = "Il manque un argument pour le format '%s'";
inline constexpr const char SDateEncodeError[] = "Les éléments de la date ne forment pas une date valable";
inline constexpr const char STimeEncodeError[] = "Les éléments de l'heure ne forment pas une heure valable";
inline constexpr const char SInvalidDateTime[] = "La valeur %s ne correspond à aucune date entre l'an 1 et l'an 9999";
inline constexpr const char SInvalidDateTimeText[] = "'%s' n'est pas une date et une heure correctes";
inline constexpr const char SOperationAborted[] = "Opération abandonnée";
inline constexpr const char SInvalidVarCast[] = "Conversion de variant impossible";
inline constexpr const char SVarArrayBounds[] = "Indice de tableau variant hors limites";
inline constexpr const char SVarArrayCreate[] = "Création du tableau variant impossible";
inline constexpr const char SVarNotArray[] = "Le variant n'est pas un tableau";

// Graphics: those ending in ": " take their subject after them.
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

// Persistent objects, components and the class registry.
inline constexpr const char SAssignError[] = "Impossible d'affecter %s à %s";
inline constexpr const char SDuplicateName[] = "Un composant nommé %s existe déjà";
inline constexpr const char SInvalidComponentName[] = "« %s » n'est pas un nom de composant correct";
inline constexpr const char SDuplicateClass[] = "Une classe nommée %s est déjà recensée";
inline constexpr const char SClassNotFound[] = "Classe %s non trouvée";

// Lists and string lists.
inline constexpr const char SListIndexError[] = "Indice de liste hors limites (%d)";
inline constexpr const char SSortedListError[] = "Opération non autorisée sur une liste triée";
inline constexpr const char SDuplicateString[] = "Les doublons ne sont pas admis dans cette liste";

// Streams and files.
inline constexpr const char SStreamSetSize[] = "Ce flux ne peut pas changer de taille";
inline constexpr const char SReadError[] = "Erreur de lecture du flux";
inline constexpr const char SWriteError[] = "Erreur d'écriture du flux";
inline constexpr const char SInvalidStreamPosition[] = "Position de flux incorrecte";
inline constexpr const char SInvalidStreamSize[] = "Taille de flux incorrecte";
inline constexpr const char SResourceStreamNotFound[] = "Ressource %s introuvable";
inline constexpr const char SResourceReadOnly[] = "Une ressource ne peut pas être modifiée";
inline constexpr const char SFCreateError[] = "Impossible de créer le fichier « %s » : %s";
inline constexpr const char SFOpenError[] = "Impossible d'ouvrir le fichier « %s » : %s";
// The reason of the two above for a pipe, a device or a socket.
inline constexpr const char SNotRegularFile[] = "ce n'est pas un fichier ordinaire";
inline constexpr const char SFileSeekError[] = "Position incorrecte dans « %s »";
inline constexpr const char SFileSizeError[] = "Impossible de changer la taille de « %s »";

// Form data: reading, parsing and writing.
inline constexpr const char SFormParseError[] = "Données de fiche incorrectes à la ligne %d : %s";
inline constexpr const char SFormReadError[] = "Erreur de lecture des données de fiche : ";
inline constexpr const char SFormAtLine[] = " (ligne %d)";
inline constexpr const char SFormValueExpected[] = "valeur attendue";
inline constexpr const char SFormComponentNotFound[] = "composant %s introuvable";
inline constexpr const char SFormValueMissing[] = "Valeur de fiche manquante";
inline constexpr const char SWriteValueNotList[] = "WriteValue n'écrit que des marques de liste";
inline constexpr const char SInvalidFormIdent[] = "Identificateur incorrect : « %s »";
inline constexpr const char SPropertySingleValue[] = "La propriété %s doit écrire une seule valeur";

// Run-time type information and published properties.
inline constexpr const char SInvalidCast[] = "Transtypage incorrect de %s";
inline constexpr const char SPropertyOutOfRange[] = "Valeur hors limites pour %s : %d";
inline constexpr const char SUnknownProperty[] = "Propriété %s inexistante dans %s";
inline constexpr const char SPropertyTypeMismatch[] = "Type de la propriété %s incompatible";
inline constexpr const char SReadOnlyProperty[] = "La propriété %s est en lecture seule";
inline constexpr const char SUnknownSetElement[] = "Élément d'ensemble inconnu : ";
inline constexpr const char SOrdinalExpected[] = "Valeur ordinale attendue";
inline constexpr const char SFloatExpected[] = "Valeur réelle attendue";
inline constexpr const char SStringExpected[] = "Chaîne attendue";
inline constexpr const char SObjectExpected[] = "Objet attendu";
inline constexpr const char SMethodExpected[] = "Méthode attendue";
inline constexpr const char SVariantExpected[] = "Variant attendu";
inline constexpr const char SNoClassFactory[] = "Impossible de créer une instance de %s";
inline constexpr const char SInvalidEnumValue[] = "Valeur d'énumération incorrecte : ";
inline constexpr const char SFloatPropertyRange[] = "Valeur réelle hors limites pour %s";
inline constexpr const char SClassMismatch[] = "Classe %s incompatible avec %s";
inline constexpr const char SHandlerTypeMismatch[] = "Type de gestionnaire incompatible avec %s";
inline constexpr const char SMethodNotFound[] = "Méthode %s inexistante";
inline constexpr const char SMethodNotFoundIn[] = "Méthode %s inexistante dans %s";
inline constexpr const char SMethodTypeMismatch[] = "La méthode %s n'a pas le type de l'événement %s";

// Arithmetic.
inline constexpr const char SInvalidOp[] = "Opération en virgule flottante incorrecte (%s)";
inline constexpr const char SDivByZero[] = "Division par zéro";
inline constexpr const char SOverflow[] = "Débordement de virgule flottante";

// Controls, menus and the test harness.
inline constexpr const char SPageIndexError[] = "Indice de page hors limites : %d";
inline constexpr const char SParentRequired[] = "Le contrôle %s n'a pas de parent";
inline constexpr const char SControlNotParent[] = "Le contrôle %s n'est pas un parent";
inline constexpr const char SControlOwnParent[] = "Un contrôle ne peut pas être son propre parent";
inline constexpr const char SMenuReinserted[] = "Élément de menu déjà inséré";
inline constexpr const char SNoTestAnswer[] = "Aucune réponse de test pour : ";
inline constexpr const char SNoFocusedControl[] = "Aucun contrôle ne reçoit le clavier";
inline constexpr const char SToolkitTranslationMissing[] =
    "Traduction française de Qt introuvable (%s, paquet qt6-translations-l10n) : "
    "ses boîtes de dialogue et ses menus resteront en anglais";

// Printing.
inline constexpr const char SPrinting[] = "Une impression est déjà en cours";
inline constexpr const char SNotPrinting[] = "L'imprimante n'imprime pas";
inline constexpr const char SPrinterIndexError[] = "Numéro d'imprimante hors limites";
inline constexpr const char SPrintOutputError[] = "Impossible d'ouvrir la sortie d'impression : ";
inline constexpr const char SPrintPageError[] = "Impossible de commencer une nouvelle page : ";
inline constexpr const char SPrintEndError[] = "Impossible de terminer le document : ";
inline constexpr const char SPageTooLarge[] = "Page trop grande pour être imprimée";

// PNG images.
inline constexpr const char SInvalidPng[] = "L'image PNG n'est pas valide";
inline constexpr const char SPngEmpty[] = "Impossible d'enregistrer une image vide";
inline constexpr const char SPngLevel[] = "Le niveau de compression doit être compris entre 0 et 9";

// Metafiles.
inline constexpr const char SMetafileEmpty[] = "Impossible d'enregistrer un métafichier vide";
inline constexpr const char SMetafileRead[] = "La lecture des métafichiers n'est pas prise en charge";
inline constexpr const char SMetafileWrite[] = "Impossible d'écrire le métafichier";

// Registry.
inline constexpr const char SRegInvalidDataType[] = "Type de données incorrect pour « %s »";
inline constexpr const char SRegCreateFailed[] = "Impossible d'écrire la valeur « %s »";
inline constexpr const char SRegNoKeyOpen[] = "Aucune clé ouverte en écriture pour « %s »";
inline constexpr const char SRegNotStorable[] = "Clé, nom ou texte que le registre ne peut garder pour « %s »";
inline constexpr const char SRegNotText[] = "Le registre « %s » n'est pas un texte lisible : %s";
