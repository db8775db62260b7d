# cmake -DBUILD=<build dir> -DSTEPS=N [-DSEED=N] -DWORK=<scratch folder> -P run_soak.cmake
#
# A random scenario of STEPS steps (nimba-soak-script) on a fresh copy of the demo program
# folder with one stored macro, then the end state: the reports the simulated mouse received
# last are exactly those a full apply of the current profile sends (its settings are the
# profile's), and a second start of the program shows the same profiles and leaves pro.data as
# the soak left it. Under the sanitizers any report of theirs fails the run. The seed is printed;
# the same seed gives the same run.
if(NOT DEFINED SEED OR SEED STREQUAL "")
    string(RANDOM LENGTH 9 ALPHABET 0123456789 SEED)
    string(REGEX REPLACE "^0+(.)" "\\1" SEED "${SEED}")
endif()
message(STATUS "soak: ${STEPS} steps, seed ${SEED}")

file(REMOVE_RECURSE ${WORK})
file(COPY ${BUILD}/demo/ DESTINATION ${WORK} PATTERN Data EXCLUDE)
file(MAKE_DIRECTORY ${WORK}/exports)
set(ENV{XDG_CONFIG_HOME} ${WORK}/config)
set(ENV{DBUS_SESSION_BUS_ADDRESS} unix:path=${WORK}/no-bus)
set(ENV{NIMBA_SIM_LOG} ${WORK}/mouse-sim.log)
# The receiver in, the cable out, as a mouse on a desk.
file(WRITE ${WORK}/mouse-sim.conf "receiver=in\n")

function(run)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE rc
                    OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "seed ${SEED}: ${ARGN} exited ${rc}\n${out}\n${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

run(${WORK}/nimba-mousectl macro-import ${CMAKE_CURRENT_LIST_DIR}/../../scenarios/files/burst.macro)
run(${BUILD}/tests/nimba-soak-script ${SEED} ${STEPS} exports)
file(WRITE ${WORK}/soak.scn "${out}dump end.json\n")
run(${WORK}/nimba-scenario soak.scn)

# The last reports the mouse kept against those of the current profile, as a multiset: the
# macro chunks of one apply may come in another order than the listing's.
run(${WORK}/nimba-mousectl profiles --json)
string(REGEX MATCH "\"index\":([0-9]+),\"name\":\"[^\"]*\",\"current\":true" current "${out}")
set(current ${CMAKE_MATCH_1})
run(${WORK}/nimba-mousectl export ${current} current.pro)
run(${WORK}/nimba-mousectl reports current.pro)
string(REGEX REPLACE "\n$" "" out "${out}")
string(REPLACE "\n" ";" expected "${out}")
list(FILTER expected EXCLUDE REGEX "^MacroReport ")
list(TRANSFORM expected REPLACE "^MacroChunk [0-9]+ [0-9]+ " "wired ")
list(TRANSFORM expected REPLACE "^[A-Za-z]+Report " "wired ")
list(LENGTH expected count)
file(STRINGS ${WORK}/mouse-sim.log log)
list(LENGTH log logged)
math(EXPR first "${logged} - ${count}")
if(first LESS 0)
    message(FATAL_ERROR "seed ${SEED}: the mouse holds ${logged} reports, fewer than a full apply")
endif()
list(SUBLIST log ${first} ${count} last)
list(SORT expected)
list(SORT last)
if(NOT last STREQUAL expected)
    string(REPLACE ";" "\n" last "${last}")
    string(REPLACE ";" "\n" expected "${expected}")
    message(FATAL_ERROR "seed ${SEED}: the mouse's last reports\n${last}\n"
                        "are not the current profile's\n${expected}")
endif()

# The profiles the program showed at the end are those it saved. The dump's keys come in
# alphabetical order, and the names the soak gives hold no brackets or spaces.
file(READ ${WORK}/end.json dump)
string(REGEX REPLACE "[ \n]" "" dump "${dump}")
string(REGEX MATCH "\"items\":(\\[[^]]*\\])[^}]*\"name\":\"ms_1_list_profile\",\"selected\":([0-9]+)"
       list "${dump}")
set(shown "${CMAKE_MATCH_1}")
set(selected "${CMAKE_MATCH_2}")
run(${WORK}/nimba-mousectl profiles --json)
set(profiles "${out}")
string(REGEX MATCHALL "\"name\":\"[^\"]*\"" stored "${profiles}")
list(TRANSFORM stored REPLACE "^\"name\":" "")
string(JOIN "," stored ${stored})
if(NOT "[${stored}]" STREQUAL shown OR NOT selected STREQUAL current)
    message(FATAL_ERROR "seed ${SEED}: the program showed ${shown} (${selected}), "
                        "pro.data holds ${profiles}")
endif()

# A second start reads the stores back and leaves them as they were.
file(READ ${WORK}/Data/ms_1/pro.data before HEX)
file(WRITE ${WORK}/reload.scn "start\nwait 200\nquit\n")
run(${WORK}/nimba-scenario reload.scn)
file(READ ${WORK}/Data/ms_1/pro.data after HEX)
run(${WORK}/nimba-mousectl profiles --json)
if(NOT before STREQUAL after OR NOT profiles STREQUAL out)
    message(FATAL_ERROR "seed ${SEED}: pro.data changed on the next start:\n${profiles}\n${out}")
endif()
message(STATUS "soak: ${STEPS} steps, seed ${SEED}: the end state matches")
