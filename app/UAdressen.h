#pragma once
// Where the program lives on the web, who made it, which version it is and
// how its author is reached: the one place for these addresses and for the
// wording of the credits in the reports. Plain text, no toolkit.

// The version of the program.
inline constexpr const char* PROGRAMMVERSION = "1.0.6";

// The program's homepage.
inline constexpr const char* PROGRAMM_HOMEPAGE = "https://www.vemla.de";
// The maker's own page.
inline constexpr const char* MACHER_ADRESSE = "https://team.vemla.de";
// The credit naming the maker: CREDIT_VORSPANN + MACHER_NAME, followed by the
// maker's address in square brackets (linked in web pages).
inline constexpr const char* CREDIT_VORSPANN = "Programmiert vom ";
inline constexpr const char* MACHER_NAME = "Vemla-Team";
inline constexpr const char* KONTAKT_EMAIL = "info@vemla.de";
