# cmake -DIMAGE=<file> [-DCERT=<file> -DKEY=<file> [-DPASSWORD_FILE=<file>] [-DTIMESTAMP=<url>]]
#       -P FinishImage.cmake
# Signs the freshly linked image with Authenticode (SHA-256) when a certificate and key are
# given, then writes <image>.sha256 in sha256sum's format. The signature goes into the
# image's certificate table at its end, outside everything the program reads of itself.
if(CERT OR KEY)
    if(NOT EXISTS "${CERT}" OR NOT EXISTS "${KEY}")
        message(FATAL_ERROR "signing needs both a certificate and a key: '${CERT}', '${KEY}'")
    endif()
    find_program(OSSLSIGNCODE osslsigncode REQUIRED)
    set(options -certs ${CERT} -key ${KEY} -h sha256 -n "Palvorne Lumivary Setup")
    if(PASSWORD_FILE)
        list(APPEND options -readpass ${PASSWORD_FILE})
    endif()
    if(TIMESTAMP)
        list(APPEND options -ts ${TIMESTAMP})
    endif()
    file(REMOVE "${IMAGE}.signed")
    execute_process(COMMAND ${OSSLSIGNCODE} sign ${options} -in ${IMAGE} -out ${IMAGE}.signed
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        file(REMOVE "${IMAGE}" "${IMAGE}.signed")
        message(FATAL_ERROR "signing ${IMAGE} failed:\n${output}")
    endif()
    file(RENAME "${IMAGE}.signed" "${IMAGE}")
endif()
file(SHA256 "${IMAGE}" hash)
get_filename_component(name "${IMAGE}" NAME)
file(WRITE "${IMAGE}.sha256" "${hash}  ${name}\n")
