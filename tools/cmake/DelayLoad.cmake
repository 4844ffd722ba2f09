# The DLLs that only the dialogs and pictures need: the program loads each at
# its first call rather than at its start, so that a silent run, which needs
# none of them, starts without them. Each is given as the functions the
# program takes from it, with the bytes of their arguments, which 32-bit
# names carry; its import library is made from that list.
set(DELAY_LOADED_DLLS comctl32 comdlg32 ole32)
set(comctl32_FUNCTIONS ImageList_Create:20 ImageList_Destroy:4 ImageList_DrawEx:40 ImageList_Remove:8
    ImageList_Replace:16 ImageList_ReplaceIcon:12 ImageList_SetImageCount:8 InitCommonControls:0)
set(comdlg32_FUNCTIONS GetOpenFileNameW:4 GetSaveFileNameW:4)
set(ole32_FUNCTIONS CoCreateInstance:20 CoInitializeEx:8 CoUninitialize:0 CreateStreamOnHGlobal:12
    ReleaseStgMedium:4)

set(DELAY_LOAD_LIBRARIES)
foreach(dll IN LISTS DELAY_LOADED_DLLS)
    set(definitions "LIBRARY ${dll}.dll\nEXPORTS\n")
    foreach(function IN LISTS ${dll}_FUNCTIONS)
        string(REPLACE ":" ";" parts ${function})
        list(GET parts 0 name)
        list(GET parts 1 bytes)
        if(CMAKE_SIZEOF_VOID_P EQUAL 4)
            string(APPEND definitions "${name}@${bytes}\n")
        else()
            string(APPEND definitions "${name}\n")
        endif()
    endforeach()
    set(def ${CMAKE_BINARY_DIR}/delay-load/${dll}.def)
    set(library ${CMAKE_BINARY_DIR}/delay-load/lib${dll}-delay.a)
    file(WRITE ${def} "${definitions}")
    # 32-bit names lose their argument bytes in the DLL itself.
    set(undecorated)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(undecorated --kill-at)
    endif()
    add_custom_command(
        OUTPUT ${library}
        COMMAND ${CMAKE_DLLTOOL} --dllname ${dll}.dll --input-def ${def} --output-delaylib ${library} ${undecorated}
        DEPENDS ${def}
        VERBATIM)
    list(APPEND DELAY_LOAD_LIBRARIES ${library})
endforeach()
add_custom_target(delay_load_libraries DEPENDS ${DELAY_LOAD_LIBRARIES})
