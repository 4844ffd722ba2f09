// The command line of a run without any window: switches, "/name" or
// "/name:value", and the targets, which are every other argument.
#pragma once
#include <optional>
#include <string>
#include <vector>

// The arguments that follow the program's name, split as the system splits
// a command line (CommandLineToArgvW): quotes group blanks, wherever they
// stand in an argument.
std::vector<std::wstring> SplitArguments(const wchar_t* tail);

// "/" and a letter or "?": "//server/share" is a path.
bool IsSwitch(const std::wstring& argument);

// A command line holding a switch asks for a run without any window.
bool HoldsSwitch(const std::vector<std::wstring>& arguments);

// What the switches ask for. Names are matched without regard to case.
struct SilentRequest {
    bool usage = false;                   // "/?"
    std::optional<std::wstring> icon;     // "/icone:FICHIER[,N]"
    bool restoresDefault = false;         // "/defaut"
    bool undoes = false;                  // "/defaire", alone or with a journal
    std::optional<std::wstring> infoTip;  // "/infobulle:TEXTE"; empty removes it
    std::optional<std::wstring> journal;  // "/journal:FICHIER"
    std::optional<std::wstring> colour;   // "/couleur:NOM" or "/couleur:#RRGGBB"
    std::optional<std::wstring> emblem;   // "/embleme:FICHIER[,N]"
    bool covers = false;                  // "/couvertures": each target is a collection's root
    bool replaceOwnIcons = false;         // "/remplacer"
    bool firstPicture = false;            // "/premiere-image"
    std::vector<std::wstring> targets;
    // What is wrong with the command line, told to the user; empty when
    // nothing is: an unknown switch, one without its value or given twice,
    // "/icone" with "/defaut", "/couleur" or "/embleme" with either, a colour
    // that is neither a name of the list nor "#RRGGBB", "/couvertures" with
    // another change, "/remplacer" or "/premiere-image" without it, no change
    // named, no target, "/defaire" with a change or a target.
    std::wstring wrong;
};

SilentRequest ReadSwitches(const std::vector<std::wstring>& arguments);
