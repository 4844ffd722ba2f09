// The command line of a silent run: how it is split, what is a switch, and
// each way of being wrong, told as the user reads it.
#include "commandline/Switches.h"
#include <gtest/gtest.h>

TEST(Switches, ArgumentsAreSplitAsTheSystemSplitsThemAndOnlySwitchesAskForASilentRun)
{
    const std::vector<std::wstring> split =
        SplitArguments(L"/icone:\"C:\\Mes ic\xf4nes\\a.dll,3\" \"/infobulle:a b\" //serveur/partage \"C:\\x y\"");
    EXPECT_EQ(split, (std::vector<std::wstring>{ L"/icone:C:\\Mes ic\xf4nes\\a.dll,3", L"/infobulle:a b",
                                                  L"//serveur/partage", L"C:\\x y" }));
    EXPECT_TRUE(HoldsSwitch(split));
    EXPECT_FALSE(HoldsSwitch(SplitArguments(L"\"C:\\a\" \"C:\\b\" //serveur/partage /1 /")));
    EXPECT_TRUE(HoldsSwitch(SplitArguments(L"/?")));
}

TEST(Switches, EachWrongCommandLineIsToldAndARightOneIsRead)
{
    const SilentRequest right = ReadSwitches({ L"/ICONE:a.dll,2", L"/Infobulle:", L"/journal:j.txt", L"C:\\x" });
    EXPECT_EQ(right.wrong, L"");
    EXPECT_EQ(right.icon, L"a.dll,2");
    EXPECT_EQ(right.infoTip, L"");
    EXPECT_EQ(right.journal, L"j.txt");
    EXPECT_EQ(right.targets, std::vector<std::wstring>{ L"C:\\x" });
    EXPECT_FALSE(right.restoresDefault || right.usage);

    const std::pair<std::vector<std::wstring>, std::wstring> wrong[] = {
        { { L"/frobnique", L"C:\\x" }, L"Option inconnue : /frobnique" },
        { { L"/icone", L"C:\\x" }, L"L'option /icone attend une valeur apr\xe8s \xab : \xbb." },
        { { L"/journal:", L"/defaut", L"C:\\x" }, L"L'option /journal attend une valeur apr\xe8s \xab : \xbb." },
        { { L"/defaut:oui", L"C:\\x" }, L"L'option /defaut ne prend pas de valeur." },
        { { L"/icone:a", L"/Icone:b", L"C:\\x" }, L"L'option /Icone est donn\xe9" L"e deux fois." },
        { { L"/icone:a", L"/defaut", L"C:\\x" }, L"/icone et /defaut ne vont pas ensemble." },
        { { L"/journal:j", L"C:\\x" }, L"Rien \xe0 changer : donnez /icone, /couleur, /embleme, /defaut ou /infobulle." },
        { { L"/couleur:azur", L"C:\\x" }, L"Couleur inconnue : azur ; donnez un nom de la liste ou #RRGGBB." },
        { { L"/couleur:#12345", L"C:\\x" }, L"Couleur inconnue : #12345 ; donnez un nom de la liste ou #RRGGBB." },
        { { L"/couleur:#0x1234", L"C:\\x" }, L"Couleur inconnue : #0x1234 ; donnez un nom de la liste ou #RRGGBB." },
        { { L"/embleme:a", L"/defaut", L"C:\\x" }, L"/couleur et /embleme ne vont ni avec /icone ni avec /defaut." },
        { { L"/couleur:vert", L"/icone:a", L"C:\\x" }, L"/couleur et /embleme ne vont ni avec /icone ni avec /defaut." },
        { { L"/couvertures", L"/infobulle:a", L"C:\\x" }, L"/couvertures ne va avec aucune autre modification." },
        { { L"/premiere-image", L"C:\\x" }, L"/remplacer et /premiere-image ne vont qu'avec /couvertures." },
        { { L"/defaut" }, L"Aucun dossier ni lecteur \xe0 changer." },
    };
    for (const auto& [arguments, told] : wrong)
        EXPECT_EQ(ReadSwitches(arguments).wrong, told);
    EXPECT_TRUE(ReadSwitches({ L"/?" }).usage);
    for (const wchar_t* colour : { L"ROUGE", L"#00ff00", L"#E53935" })
        EXPECT_EQ(ReadSwitches({ std::wstring(L"/couleur:") + colour, L"/embleme:e.ico,2", L"C:\\x" }).wrong, L"");
}
