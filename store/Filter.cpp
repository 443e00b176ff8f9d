#include "store/Filter.h"

#include "store/StoreError.h"

#include <cctype>
#include <cstdlib>

namespace store {
namespace {

struct Token
{
    enum Kind
    {
        Name,
        Text,
        Number,
        Operator,
        Open,
        Close,
        End
    } kind;
    std::string text;
};

class Parser
{
public:
    Parser(const std::string& expression,
           const std::function<std::optional<FilterColumn>(const std::string&)>& resolve)
        : m_source(expression), m_resolve(resolve)
    {
        advance();
    }

    FilterSql parse()
    {
        FilterSql sql;
        sql.where = orExpression(sql.params);
        if (m_token.kind != Token::End)
            fail("unexpected \"" + m_token.text + "\"");
        return sql;
    }

private:
    [[noreturn]] void fail(const std::string& what) const
    {
        throw StoreError("Invalid filter \"" + m_source + "\": " + what);
    }

    bool isKeyword(const char* word) const
    {
        return m_token.kind == Token::Name && equalsIgnoringCase(m_token.text, word);
    }

    std::string orExpression(std::vector<Value>& params)
    {
        std::string sql = andExpression(params);
        while (isKeyword("OR")) {
            advance();
            sql = "(" + sql + " OR " + andExpression(params) + ")";
        }
        return sql;
    }

    std::string andExpression(std::vector<Value>& params)
    {
        std::string sql = unary(params);
        while (isKeyword("AND")) {
            advance();
            sql = "(" + sql + " AND " + unary(params) + ")";
        }
        return sql;
    }

    std::string unary(std::vector<Value>& params)
    {
        if (isKeyword("NOT")) {
            advance();
            return "(NOT " + unary(params) + ")";
        }
        if (m_token.kind == Token::Open) {
            advance();
            std::string sql = orExpression(params);
            if (m_token.kind != Token::Close)
                fail("a closing parenthesis is missing");
            advance();
            return sql;
        }
        return comparison(params);
    }

    std::string comparison(std::vector<Value>& params)
    {
        if (m_token.kind != Token::Name)
            fail("a field name is expected");
        const std::optional<FilterColumn> column = m_resolve(m_token.text);
        if (!column)
            fail("there is no field " + m_token.text);
        advance();
        if (m_token.kind != Token::Operator)
            fail("a comparison is expected after the field");
        const std::string op = m_token.text == "!=" ? "<>" : m_token.text;
        advance();
        params.push_back(literal(*column));
        advance();

        const bool textual = column->type == FieldType::Text || column->type == FieldType::Date;
        return "COALESCE(" + quoteIdentifier(column->column) + ", " + (textual ? "''" : "0") +
               ") " + op + " ?";
    }

    Value literal(const FilterColumn& column) const
    {
        if (isKeyword("TRUE"))
            return int64_t{1};
        if (isKeyword("FALSE"))
            return int64_t{0};
        if (m_token.kind == Token::Text)
            return m_token.text;
        if (m_token.kind == Token::Number) {
            if (column.type == FieldType::Text || column.type == FieldType::Date)
                return m_token.text;
            return std::strtod(m_token.text.c_str(), nullptr);
        }
        fail("a value is expected");
    }

    void advance()
    {
        while (m_pos < m_source.size() && std::isspace(static_cast<unsigned char>(m_source[m_pos])))
            ++m_pos;
        if (m_pos >= m_source.size()) {
            m_token = {Token::End, ""};
            return;
        }
        const char c = m_source[m_pos];
        const auto isNameChar = [](char ch) {
            return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_';
        };
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            const std::size_t start = m_pos;
            while (m_pos < m_source.size() && isNameChar(m_source[m_pos]))
                ++m_pos;
            m_token = {Token::Name, m_source.substr(start, m_pos - start)};
        } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '.') {
            const std::size_t start = m_pos++;
            while (m_pos < m_source.size() &&
                   (std::isdigit(static_cast<unsigned char>(m_source[m_pos])) ||
                    m_source[m_pos] == '.'))
                ++m_pos;
            m_token = {Token::Number, m_source.substr(start, m_pos - start)};
        } else if (c == '\'') {
            std::string text;
            for (++m_pos;; ++m_pos) {
                if (m_pos >= m_source.size())
                    fail("a text is not closed");
                if (m_source[m_pos] == '\'') {
                    if (m_pos + 1 < m_source.size() && m_source[m_pos + 1] == '\'') {
                        text += '\'';
                        ++m_pos;
                        continue;
                    }
                    ++m_pos;
                    break;
                }
                text += m_source[m_pos];
            }
            m_token = {Token::Text, text};
        } else if (c == '(' || c == ')') {
            ++m_pos;
            m_token = {c == '(' ? Token::Open : Token::Close, std::string(1, c)};
        } else if (c == '=' || c == '<' || c == '>' || c == '!') {
            const std::string two = m_source.substr(m_pos, 2);
            if (two == "<>" || two == "<=" || two == ">=" || two == "!=") {
                m_token = {Token::Operator, two};
                m_pos += 2;
            } else if (c != '!') {
                m_token = {Token::Operator, std::string(1, c)};
                ++m_pos;
            } else {
                fail("\"!\" must be followed by \"=\"");
            }
        } else {
            fail(std::string("unexpected character '") + c + "'");
        }
    }

    const std::string& m_source;
    const std::function<std::optional<FilterColumn>(const std::string&)>& m_resolve;
    std::size_t m_pos = 0;
    Token m_token{Token::End, ""};
};

} // namespace

FilterSql
translateFilter(const std::string& expression,
                const std::function<std::optional<FilterColumn>(const std::string&)>& resolve)
{
    return Parser(expression, resolve).parse();
}

} // namespace store
