tw_content_copy(c4/c4.xml c4.xml)
