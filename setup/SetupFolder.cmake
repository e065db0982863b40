# setup_folder: lays out the setup folder in ${CMAKE_BINARY_DIR}/setup-folder from the suite's
# programs as they are built: Provisa.exe and its label file at the top, the files it installs in
# setup\exes, help, xml, wave, uninstall, cpl, sys and inf. Files from outside the suite (help,
# labels, sound, meka.sys, meka.inf, RenkaCPL.exe, devcon.exe) are small placeholders, and so is
# each program whose target does not exist (yet). The stand-in rilo.sys takes the serial
# driver's place. The list is read once every folder has been added, so targets defined after
# this one are found too.
set(TIVEN_SETUP_FOLDER ${CMAKE_BINARY_DIR}/setup-folder CACHE INTERNAL "")

function(tiven_setup_folder)
    # target | place in the setup folder
    set(programs
        Provisa Provisa.exe
        Gesturo setup/exes/Gesturo.exe
        Beaconet setup/exes/Beaconet.exe
        Aimwell setup/exes/Aimwell.exe
        Segmenta setup/exes/Segmenta.exe
        Chimer setup/exes/Chimer.exe
        Purgent setup/uninstall/uninstall.exe
        Sweepo setup/uninstall/Sweepo.exe
        Tunora setup/cpl/Tunora.cpl
        rilo_sys setup/sys/rilo.sys)
    set(copies "")
    set(placeholders "")
    set(depends "")
    list(LENGTH programs count)
    math(EXPR last "${count} - 1")
    foreach(i RANGE 0 ${last} 2)
        math(EXPR j "${i} + 1")
        list(GET programs ${i} target)
        list(GET programs ${j} place)
        if(TARGET ${target})
            list(APPEND copies "$<TARGET_FILE:${target}>=${place}")
            list(APPEND depends ${target})
        else()
            list(APPEND placeholders ${place})
        endif()
    endforeach()
    string(REPLACE ";" "|" copies "${copies}")
    string(REPLACE ";" "|" placeholders "${placeholders}")
    add_custom_target(setup_folder ALL
        COMMAND ${CMAKE_COMMAND} -DFOLDER=${TIVEN_SETUP_FOLDER} "-DCOPIES=${copies}"
                "-DPLACEHOLDERS=${placeholders}" -DLABELS=${PROJECT_SOURCE_DIR}/setup/SetupLabels.txt
                -DUNINSTALL_LABELS=${PROJECT_SOURCE_DIR}/uninstall/UninstallLabels.txt
                -P ${PROJECT_SOURCE_DIR}/setup/LayOutSetupFolder.cmake
        COMMENT "Laying out the setup folder"
        VERBATIM)
    add_dependencies(setup_folder ${depends})
endfunction()

cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL tiven_setup_folder)
