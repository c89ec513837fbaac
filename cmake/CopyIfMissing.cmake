# cmake -Dsource=FILE -Dtarget=FILE -P CopyIfMissing.cmake: delivers a file that the program
# itself goes on to own, so a copy already there (the player's own) is never replaced.
if(NOT EXISTS "${target}")
    configure_file("${source}" "${target}" COPYONLY)
endif()
