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
inline constexpr const char SOperationAborted[] = "Opération abandonnée";
inline constexpr const char SInvalidVarCast[] = "Conversion de variant impossible";
inline constexpr const char SVarArrayBounds[] = "Indice de tableau variant hors limites";
inline constexpr const char SVarArrayCreate[] = "Création du tableau variant impossible";
inline constexpr const char SVarNotArray[] = "Le variant n'est pas un tableau";
