# The icon files that the icon grid's tests and benchmark read, made at build
# time into bin/icon-files beside the executables: two .ico files, four that
# lie about what they hold, one as today's tools make it, a monochrome one,
# a picture, a picture cut short, a .jpg that holds none and a picture too
# large to read, resource-only DLLs of 3, 4, 8, 1024 and 1500 icons, one of
# five icons whose third cannot be extracted, one whose groups are named and
# in two languages, the four icons as an executable and as a 16-bit library,
# and nine libraries each broken in one place. They are made again whenever
# the script that writes them changes.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(ICON_FILES_DIR ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/icon-files)
set(icon_sources_dir ${CMAKE_CURRENT_BINARY_DIR}/icon-files)
set(icon_generator ${CMAKE_CURRENT_LIST_DIR}/make-icon-files.py)
set(icon_ico_files one.ico three-images.ico claims-many.ico past-end.ico truncated.ico empty-image.ico
    modern.ico monochrome.ico four-icons.icl halves.png truncated.png not-a-picture.jpg huge.png)
set(icon_libraries three-icons four-icons eight-icons 1024-icons 1500-icons gap-icons languages)

set(icon_generated)
foreach(name IN LISTS icon_ico_files)
    list(APPEND icon_generated ${icon_sources_dir}/${name})
endforeach()
foreach(name IN LISTS icon_libraries)
    list(APPEND icon_generated ${icon_sources_dir}/${name}.res)
endforeach()
add_custom_command(
    OUTPUT ${icon_generated}
    COMMAND ${Python3_EXECUTABLE} ${icon_generator} ${icon_sources_dir}
    DEPENDS ${icon_generator}
    VERBATIM)

set(icon_files)
foreach(name IN LISTS icon_ico_files)
    add_custom_command(
        OUTPUT ${ICON_FILES_DIR}/${name}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${ICON_FILES_DIR}
        COMMAND ${CMAKE_COMMAND} -E copy ${icon_sources_dir}/${name} ${ICON_FILES_DIR}/${name}
        DEPENDS ${icon_sources_dir}/${name}
        VERBATIM)
    list(APPEND icon_files ${ICON_FILES_DIR}/${name})
endforeach()

# A DLL with no code: only the resource section, no entry point.
foreach(name IN LISTS icon_libraries)
    add_custom_command(
        OUTPUT ${ICON_FILES_DIR}/${name}.dll
        COMMAND ${CMAKE_COMMAND} -E make_directory ${ICON_FILES_DIR}
        COMMAND ${CMAKE_RC_COMPILER} -J res -O coff -i ${icon_sources_dir}/${name}.res
                -o ${icon_sources_dir}/${name}.res.o
        COMMAND ${CMAKE_C_COMPILER} -shared -nostdlib -s -Wl,-e,0
                -o ${ICON_FILES_DIR}/${name}.dll ${icon_sources_dir}/${name}.res.o
        DEPENDS ${icon_sources_dir}/${name}.res
        VERBATIM)
    list(APPEND icon_files ${ICON_FILES_DIR}/${name}.dll)
endforeach()

# The same resources in an executable without code.
add_custom_command(
    OUTPUT ${ICON_FILES_DIR}/four-icons.exe
    COMMAND ${CMAKE_C_COMPILER} -nostdlib -s -Wl,-e,0 -o ${ICON_FILES_DIR}/four-icons.exe
            ${icon_sources_dir}/four-icons.res.o
    DEPENDS ${ICON_FILES_DIR}/four-icons.dll
    VERBATIM)
set(broken_libraries root-claims-many.dll root-entry-past-end.dll groups-claim-many.dll group-claims-many.dll
    table-past-end.icl type-claims-many.icl resource-past-end.icl language-past-end.dll name-past-end.dll)
list(TRANSFORM broken_libraries PREPEND ${ICON_FILES_DIR}/)
add_custom_command(
    OUTPUT ${broken_libraries}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/break-icon-libraries.py
            ${ICON_FILES_DIR}/four-icons.dll ${ICON_FILES_DIR}/four-icons.icl ${ICON_FILES_DIR}/languages.dll
            ${ICON_FILES_DIR}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/break-icon-libraries.py ${ICON_FILES_DIR}/four-icons.dll
            ${ICON_FILES_DIR}/four-icons.icl ${ICON_FILES_DIR}/languages.dll
    VERBATIM)
list(APPEND icon_files ${ICON_FILES_DIR}/four-icons.exe ${broken_libraries})

add_custom_target(icon_files DEPENDS ${icon_files})
add_dependencies(icons_tests icon_files)
add_dependencies(app_tests icon_files)
add_dependencies(apply_tests icon_files)
# Their check is held against the program's own executable.
add_dependencies(icons_tests Brisevent)
