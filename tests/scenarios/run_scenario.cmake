# cmake -DBUILD=<build dir> -DSCENARIO=<file.scn> -DWORK=<scratch folder> -P run_scenario.cmake
#
# Copies the program folder the story names into WORK and runs the story there. Lines of the
# story that begin with "#!" prepare the copy before the program starts:
#   #! folder bin|demo          which program folder (demo by default)
#   #! conf KEY=VALUE           a line of the simulated mouse's mouse-sim.conf
#   #! mousectl ARGS...         a nimba-mousectl command run in the copy (stored profiles)
#   #! expect-exit N            the exit code the run must end with (0 by default)
#   #! env NAME=VALUE           an environment variable of the run
#   #! notifications            a private session bus whose notification service records
#                               every notification in notifications.log of the copy
# and check what the program left behind after it:
#   #! then mousectl ARGS... => REGEX   the command's output must match REGEX
#   #! then file PATH => REGEX          the file (relative to the copy) must match REGEX
# The user's settings folder is config/ in the copy, and without `#! notifications` the
# session bus is one that is not there.
file(STRINGS ${SCENARIO} directives REGEX "^#!")
set(folder demo)
set(conf "")
set(commands "")
set(expected_exit 0)
set(checks "")
set(file_checks "")
set(notifications OFF)
set(ENV{XDG_CONFIG_HOME} ${WORK}/config)
set(ENV{DBUS_SESSION_BUS_ADDRESS} unix:path=${WORK}/no-bus)
foreach(line ${directives})
    string(REGEX REPLACE "^#![ ]*" "" line "${line}")
    if(line MATCHES "^folder (.+)$")
        set(folder ${CMAKE_MATCH_1})
    elseif(line MATCHES "^conf (.+)$")
        string(APPEND conf "${CMAKE_MATCH_1}\n")
    elseif(line MATCHES "^mousectl (.+)$")
        list(APPEND commands "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^then mousectl (.+) => (.+)$")
        list(APPEND checks "${CMAKE_MATCH_1}|${CMAKE_MATCH_2}")
    elseif(line MATCHES "^then file (.+ => .+)$")
        list(APPEND file_checks "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^expect-exit ([0-9]+)$")
        set(expected_exit ${CMAKE_MATCH_1})
    elseif(line MATCHES "^env ([A-Za-z_0-9]+)=(.*)$")
        set(ENV{${CMAKE_MATCH_1}} "${CMAKE_MATCH_2}")
    elseif(line MATCHES "^notifications$")
        set(notifications ON)
    endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(COPY ${BUILD}/${folder}/ DESTINATION ${WORK} PATTERN Data EXCLUDE)
if(conf)
    file(WRITE ${WORK}/mouse-sim.conf "${conf}")
endif()
foreach(command ${commands})
    separate_arguments(args UNIX_COMMAND "${command}")
    execute_process(COMMAND ${WORK}/nimba-mousectl ${args} WORKING_DIRECTORY ${WORK}
                    RESULT_VARIABLE rc OUTPUT_QUIET)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "preparing the story: nimba-mousectl ${command} exited ${rc}")
    endif()
endforeach()

file(MAKE_DIRECTORY ${BUILD}/screenshots)
set(run ${WORK}/nimba-scenario ${SCENARIO})
if(notifications)
    set(run dbus-run-session -- ${BUILD}/tests/nimba-notification-recorder
            ${WORK}/notifications.log ${run})
endif()
execute_process(COMMAND ${run} WORKING_DIRECTORY ${BUILD} RESULT_VARIABLE rc)
if(NOT rc EQUAL expected_exit)
    message(FATAL_ERROR "${SCENARIO} exited ${rc}, expected ${expected_exit}")
endif()

foreach(check ${checks})
    string(REPLACE "|" ";" parts "${check}")
    list(GET parts 0 command)
    list(GET parts 1 pattern)
    separate_arguments(args UNIX_COMMAND "${command}")
    execute_process(COMMAND ${WORK}/nimba-mousectl ${args} WORKING_DIRECTORY ${WORK}
                    OUTPUT_VARIABLE output RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0 OR NOT output MATCHES "${pattern}")
        message(FATAL_ERROR "after the story: nimba-mousectl ${command} gave\n${output}\n"
                            "which does not match ${pattern}")
    endif()
endforeach()

foreach(check ${file_checks})
    string(REGEX MATCH "^(.+) => (.+)$" parts "${check}")
    set(path ${WORK}/${CMAKE_MATCH_1})
    set(pattern "${CMAKE_MATCH_2}")
    set(content "(missing)")
    if(EXISTS ${path})
        file(READ ${path} content)
    endif()
    if(NOT content MATCHES "${pattern}")
        message(FATAL_ERROR "after the story: ${path} holds\n${content}\nwhich does not match ${pattern}")
    endif()
endforeach()
