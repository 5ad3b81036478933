# The layers of the program, as the folders that each folder's sources may
# include from. The target links say the same for the linker; this check
# also catches an include of a header-only part and of Qt's Gui and Widgets
# modules below the window layer, which a link would not notice.
#
#   include(cmake/vrstvy.cmake) + zrc_zkontroluj_vrstvy(<root> <var>): at
#   configure time; cmake -DKOREN=<root> -P cmake/vrstvy.cmake: the same as a
#   test, failing with the list of offending lines.

if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.25)
endif()

set(ZRC_VRSTVY
  "src/util=util"
  "src/platform=platform util"
  "src/engine=engine platform util"
  "src/operace=operace engine platform util"
  "src/settings=settings engine platform util"
  "src/ui=ui operace engine settings platform util"
  "src/app/core=app settings platform util"
  "src/app=app ui operace engine settings platform util"
  "cli=cli engine operace settings platform util")
# Layers that link Qt Core at most.
set(ZRC_VRSTVY_BEZ_OKEN src/util src/platform src/engine src/operace src/settings src/app/core cli)

function(zrc_zkontroluj_vrstvy koren vysledek)
  set(chyby "")
  foreach(vrstva ${ZRC_VRSTVY})
    string(REPLACE "=" ";" dvojice "${vrstva}")
    list(GET dvojice 0 slozka)
    list(GET dvojice 1 povolene)
    string(REPLACE " " ";" povolene "${povolene}")
    file(GLOB soubory "${koren}/${slozka}/*.h" "${koren}/${slozka}/*.cpp")
    foreach(soubor ${soubory})
      file(STRINGS "${soubor}" radky REGEX "^[ \t]*#[ \t]*include")
      foreach(radek ${radky})
        if(radek MATCHES "#[ \t]*include[ \t]+\"([a-z_]+)/" AND NOT CMAKE_MATCH_1 IN_LIST povolene)
          list(APPEND chyby "${soubor}: ${radek}")
        elseif(slozka IN_LIST ZRC_VRSTVY_BEZ_OKEN AND radek MATCHES "<Qt(Gui|Widgets)/")
          list(APPEND chyby "${soubor}: ${radek}")
        endif()
      endforeach()
    endforeach()
  endforeach()
  set(${vysledek} "${chyby}" PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED KOREN)
  zrc_zkontroluj_vrstvy("${KOREN}" chyby)
  if(chyby)
    string(REPLACE ";" "\n  " seznam "${chyby}")
    message(FATAL_ERROR "Include across the layers:\n  ${seznam}")
  endif()
endif()
