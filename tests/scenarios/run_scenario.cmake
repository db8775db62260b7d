# cmake -DBUILD=<build dir> -DSCENARIO=<file.scn> -DWORK=<scratch folder> -P run_scenario.cmake
#
# Copies the program folder the story names into WORK and runs the story there. Lines of the
# story that begin with "#!" prepare the copy before the program starts:
#   #! folder bin|demo          which program folder (demo by default)
#   #! conf KEY=VALUE           a line of the simulated mouse's mouse-sim.conf
#   #! mousectl ARGS...         a nimba-mousectl command run in the copy (stored profiles)
#   #! file NAME                tests/scenarios/files/NAME copied into the copy first
#   #! fifo PATH, #! mkdir PATH a named pipe, a folder made in the copy (after the commands)
#   #! copy FROM TO             a file of the copy copied, after the commands above (to keep
#                               a store as it was before the story)
#   #! expect-exit N            the exit code the run must end with (0 by default)
#   #! env NAME=VALUE           an environment variable of the run
#   #! notifications            a private session bus whose notification service records
#                               every notification in notifications.log of the copy
#   #! repeat N                 N runs from the same stores, each sending the same reports
# and check what the program left behind after it, in their order:
#   #! then mousectl ARGS... => REGEX   the command's output must match REGEX
#   #! then file PATH => REGEX          the file (relative to the copy) must match REGEX
#   #! then file PATH =/> REGEX         ... must not match REGEX anywhere
#   #! then same A B                    the two files of the copy must be byte for byte equal
# The story runs in the build folder, so its own paths reach the copy as scenario-runs/NAME/.
# The user's settings folder is config/ in the copy, and without `#! notifications` the
# session bus is one that is not there.
file(STRINGS ${SCENARIO} directives REGEX "^#!" ENCODING UTF-8)
list(TRANSFORM directives REPLACE "^#![ ]*" "")
# What no directive sets is empty, as unset variables are.
set(folder demo)
set(expected_exit 0)
set(repeat 1)
set(ENV{XDG_CONFIG_HOME} ${WORK}/config)
set(ENV{DBUS_SESSION_BUS_ADDRESS} unix:path=${WORK}/no-bus)
foreach(line ${directives})
    if(line MATCHES "^folder (.+)$")
        set(folder ${CMAKE_MATCH_1})
    elseif(line MATCHES "^conf (.+)$")
        string(APPEND conf "${CMAKE_MATCH_1}\n")
    elseif(line MATCHES "^expect-exit ([0-9]+)$")
        set(expected_exit ${CMAKE_MATCH_1})
    elseif(line MATCHES "^env ([A-Za-z_0-9]+)=(.*)$")
        set(ENV{${CMAKE_MATCH_1}} "${CMAKE_MATCH_2}")
    elseif(line MATCHES "^notifications$")
        set(notifications ON)
    elseif(line MATCHES "^repeat ([0-9]+)$")
        set(repeat ${CMAKE_MATCH_1})
    endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(COPY ${BUILD}/${folder}/ DESTINATION ${WORK} PATTERN Data EXCLUDE)
if(conf)
    file(WRITE ${WORK}/mouse-sim.conf "${conf}")
endif()
# In three passes: the files the commands read, the commands, then what follows their stores.
foreach(pass files commands after)
    foreach(line ${directives})
        if(pass STREQUAL files AND line MATCHES "^file (.+)$")
            file(COPY ${CMAKE_CURRENT_LIST_DIR}/files/${CMAKE_MATCH_1} DESTINATION ${WORK})
        elseif(pass STREQUAL commands AND line MATCHES "^mousectl (.+)$")
            separate_arguments(args UNIX_COMMAND "${CMAKE_MATCH_1}")
            execute_process(COMMAND ${WORK}/nimba-mousectl ${args} WORKING_DIRECTORY ${WORK}
                            RESULT_VARIABLE rc OUTPUT_QUIET)
            if(NOT rc EQUAL 0)
                message(FATAL_ERROR "preparing the story: ${line} exited ${rc}")
            endif()
        elseif(pass STREQUAL after AND line MATCHES "^copy ([^ ]+) ([^ ]+)$")
            file(COPY_FILE ${WORK}/${CMAKE_MATCH_1} ${WORK}/${CMAKE_MATCH_2})
        elseif(pass STREQUAL after AND line MATCHES "^fifo (.+)$")
            execute_process(COMMAND mkfifo ${WORK}/${CMAKE_MATCH_1} COMMAND_ERROR_IS_FATAL ANY)
        elseif(pass STREQUAL after AND line MATCHES "^mkdir (.+)$")
            file(MAKE_DIRECTORY ${WORK}/${CMAKE_MATCH_1})
        endif()
    endforeach()
endforeach()

file(MAKE_DIRECTORY ${BUILD}/screenshots)
set(run ${WORK}/nimba-scenario ${SCENARIO})
if(notifications)
    set(run dbus-run-session -- ${BUILD}/tests/nimba-notification-recorder
            ${WORK}/notifications.log ${run})
endif()
foreach(round RANGE 1 ${repeat})
    if(round GREATER 1)
        file(REMOVE_RECURSE ${WORK}/Data)
        file(COPY ${WORK}/stores-before/Data DESTINATION ${WORK})
    elseif(repeat GREATER 1)
        file(COPY ${WORK}/Data DESTINATION ${WORK}/stores-before)
    endif()
    set(ENV{NIMBA_SIM_LOG} ${WORK}/mouse-sim-${round}.log)
    execute_process(COMMAND ${run} WORKING_DIRECTORY ${BUILD} RESULT_VARIABLE rc)
    if(NOT rc EQUAL expected_exit)
        message(FATAL_ERROR "${SCENARIO} exited ${rc} in run ${round}, expected ${expected_exit}")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/mouse-sim-1.log
                            ${WORK}/mouse-sim-${round}.log RESULT_VARIABLE differ)
    if(round GREATER 1 AND differ)
        message(FATAL_ERROR "run ${round} sent the mouse other reports than run 1")
    endif()
endforeach()

foreach(line ${directives})
    if(line MATCHES "^then mousectl (.+) => (.+)$")
        set(pattern "${CMAKE_MATCH_2}")
        separate_arguments(args UNIX_COMMAND "${CMAKE_MATCH_1}")
        execute_process(COMMAND ${WORK}/nimba-mousectl ${args} WORKING_DIRECTORY ${WORK}
                        OUTPUT_VARIABLE output RESULT_VARIABLE rc)
        if(NOT rc EQUAL 0 OR NOT output MATCHES "${pattern}")
            message(FATAL_ERROR "after the story: ${line} gave\n${output}\n"
                                "which does not match ${pattern}")
        endif()
    elseif(line MATCHES "^then same ([^ ]+) ([^ ]+)$")
        execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${CMAKE_MATCH_1}
                                ${WORK}/${CMAKE_MATCH_2} RESULT_VARIABLE rc)
        if(NOT rc EQUAL 0)
            message(FATAL_ERROR "after the story: ${line} does not hold")
        endif()
    elseif(line MATCHES "^then file (.+) =(/?)> (.+)$")
        set(path ${WORK}/${CMAKE_MATCH_1})
        set(negated "${CMAKE_MATCH_2}")
        set(pattern "${CMAKE_MATCH_3}")
        set(content "(missing)")
        if(EXISTS ${path})
            file(READ ${path} content)
        endif()
        string(REGEX MATCH "${pattern}" found "${content}")
        if(negated AND NOT found STREQUAL "")
            message(FATAL_ERROR "after the story: ${path} holds \"${found}\", which matches ${pattern}")
        elseif(NOT negated AND NOT content MATCHES "${pattern}")
            message(FATAL_ERROR "after the story: ${path} holds\n${content}\nwhich does not match ${pattern}")
        endif()
    endif()
endforeach()
